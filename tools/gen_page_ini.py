# One-off generator of the page sections of resources/zozedud.Ini (kept for reference).
import sys
L = {}
def sec(name, ger, eng):
    L[name] = (ger, eng)

out = {'GER': [], 'ENG': []}
def add(section, pairs_ger, pairs_eng):
    out['GER'].append((section + 'GER', pairs_ger))
    out['ENG'].append((section + 'ENG', pairs_eng))

def nn(i): return '%02d' % i

# Status
g=[('Caption','Status'),('ToolTip','Statusmeldungen der QPL')]
e=[('Caption','Status'),('ToolTip','Status messages of the QPL')]
gl=['Gerät','Firmware','Version','Seriennummer','Betriebszeit','Letzter Fehler']
el=['Device','Firmware','Version','Serial number','Running time','Last error']
for i in range(6):
    g+= [('Label'+nn(i+1), gl[i]), ('ToolTip'+nn(i+1), 'Statuszeile %d der QPL' % (i+1))]
    e+= [('Label'+nn(i+1), el[i]), ('ToolTip'+nn(i+1), 'Status line %d of the QPL' % (i+1))]
add('TabStrip_Status_', g, e)

# Names
g=[('Caption','Namen'),('ToolTip','Namen der Ein- und Ausgänge')]
e=[('Caption','Names'),('ToolTip','Names of the inputs and outputs')]
groups=[('Digitale Eingänge','Digital inputs','dig In','Dig In',16,4,'Digitaleingang','Digital input'),
        ('Analoge Eingänge','Analog inputs','ana In','Ana In',8,4,'Analogeingang','Analog input'),
        ('ADAT Eingänge','ADAT inputs','Adat In','Adat In',8,2,'ADAT-Eingang','ADAT input'),
        ('Externe Monitor Eingänge','External monitor inputs','ExtMon','ExtMon',4,1,'Ext. Monitoreingang','Ext. monitor input'),
        ('Summen (Bus)','Sums (bus)','Bus','Bus',4,4,'Summe','Bus')]
for p,(cg,ce,lg,le,boxes,labels,tg,te) in enumerate(groups,1):
    P='Part'+nn(p)
    g+=[(P+'.Caption',cg),(P+'.ToolTip','Namen: '+cg+' (höchstens 8 Zeichen)')]
    e+=[(P+'.Caption',ce),(P+'.ToolTip','Names: '+ce+' (at most 8 characters)')]
    per=boxes//labels
    for l in range(labels):
        a=l*per+1; b=a+per-1
        rng = '%d' % a if per==1 else '%d-%d' % (a,b)
        g.append((P+'.Label'+nn(l+1), lg+' '+rng))
        e.append((P+'.Label'+nn(l+1), le+' '+rng))
    for m in range(1,boxes+1):
        g.append((P+'.ToolTip'+nn(m), '%s %d' % (tg,m)))
        e.append((P+'.ToolTip'+nn(m), '%s %d' % (te,m)))
add('TabStrip_Name_', g, e)

# Layer
add('TabStrip_Layer_',
    [('Caption','Layer'),('ToolTip','Kanalbelegung der vier Layer'),('Row.Caption','Layer'),
     ('Row.ToolTip','Layer A bis D'),('Col.Caption','Kanal'),('Col.ToolTip','Kanalpaar des Pults'),
     ('DropDown.ToolTip','Klicken, um einen Eingang zuzuordnen')],
    [('Caption','Layer'),('ToolTip','Channel assignment of the four layers'),('Row.Caption','Layer'),
     ('Row.ToolTip','Layers A to D'),('Col.Caption','Channel'),('Col.ToolTip','Channel pair of the desk'),
     ('DropDown.ToolTip','Click to assign an input')])

# Monitor
mg=[('Caption','Monitor'),('ToolTip','Monitor-Einstellungen'),
    ('Part01.Caption','Monitor'),('Part01.ToolTip','Abhörmodus, Lautstärke und Kanal'),
    ('Part01.Label01','Modus'),('Part01.Label02','Lautstärke'),('Part01.Label03','Kanal'),
    ('Part01.ToolTip01','Monitor-Modus'),('Part01.ToolTip02','Monitor-Lautstärke beim Einschalten'),('Part01.ToolTip03','Abgehörtes Kanalpaar'),
    ('Part01.Opt01.Caption','Stereo'),('Part01.Opt01.ToolTip','Stereo abhören'),
    ('Part01.Opt02.Caption','Mono'),('Part01.Opt02.ToolTip','Mono abhören'),
    ('Part01.Opt03.Caption','LL'),('Part01.Opt03.ToolTip','Linker Kanal auf beiden Seiten'),
    ('Part01.Opt04.Caption','RR'),('Part01.Opt04.ToolTip','Rechter Kanal auf beiden Seiten'),
    ('Part02.Caption','Abgriff'),('Part02.ToolTip','Abgriffpunkt des Monitors'),
    ('Part02.Label01','Abgriff'),('Part02.ToolTip01','Wo das Monitorsignal abgegriffen wird'),
    ('Part02.Opt01.Caption','MON'),('Part02.Opt01.ToolTip','Monitorweg'),
    ('Part02.Opt02.Caption','PF'),('Part02.Opt02.ToolTip','Pre Fader'),
    ('Part02.Opt03.Caption','AF'),('Part02.Opt03.ToolTip','After Fader'),
    ('Part03.Caption','Peakmeter'),('Part03.ToolTip','Aufteilung der Aussteuerungsanzeige'),
    ('Part03.Label01','Kanäle'),('Part03.ToolTip01','Vier Kanäle oder zweimal zwei Kanäle'),
    ('Part03.Opt01.Caption','4 Kanal'),('Part03.Opt01.ToolTip','Eine Anzeige mit vier Kanälen'),
    ('Part03.Opt02.Caption','2 x 2 Kanal'),('Part03.Opt02.ToolTip','Zwei Anzeigen mit je zwei Kanälen'),
    ('Part04.Caption','Externe Monitortasten'),('Part04.ToolTip','Belegung der vier externen Monitortasten'),
    ('DropDown.ToolTip','Klicken, um einen Kanal zuzuordnen')]
me=[('Caption','Monitor'),('ToolTip','Monitor settings'),
    ('Part01.Caption','Monitor'),('Part01.ToolTip','Listening mode, volume and channel'),
    ('Part01.Label01','Mode'),('Part01.Label02','Volume'),('Part01.Label03','Channel'),
    ('Part01.ToolTip01','Monitor mode'),('Part01.ToolTip02','Monitor volume at power-up'),('Part01.ToolTip03','Monitored channel pair'),
    ('Part01.Opt01.Caption','Stereo'),('Part01.Opt01.ToolTip','Listen in stereo'),
    ('Part01.Opt02.Caption','Mono'),('Part01.Opt02.ToolTip','Listen in mono'),
    ('Part01.Opt03.Caption','LL'),('Part01.Opt03.ToolTip','Left channel on both sides'),
    ('Part01.Opt04.Caption','RR'),('Part01.Opt04.ToolTip','Right channel on both sides'),
    ('Part02.Caption','Tap point'),('Part02.ToolTip','Where the monitor takes its signal'),
    ('Part02.Label01','Tap'),('Part02.ToolTip01','Monitor tap point'),
    ('Part02.Opt01.Caption','MON'),('Part02.Opt01.ToolTip','Monitor path'),
    ('Part02.Opt02.Caption','PF'),('Part02.Opt02.ToolTip','Pre fader'),
    ('Part02.Opt03.Caption','AF'),('Part02.Opt03.ToolTip','After fader'),
    ('Part03.Caption','Peak meter'),('Part03.ToolTip','Layout of the level meter'),
    ('Part03.Label01','Channels'),('Part03.ToolTip01','Four channels or two times two channels'),
    ('Part03.Opt01.Caption','4 channels'),('Part03.Opt01.ToolTip','One meter with four channels'),
    ('Part03.Opt02.Caption','2 x 2 channels'),('Part03.Opt02.ToolTip','Two meters with two channels each'),
    ('Part04.Caption','External monitor keys'),('Part04.ToolTip','Assignment of the four external monitor keys'),
    ('DropDown.ToolTip','Click to assign a channel')]
for i in range(1,5):
    mg+=[('Part04.Label'+nn(i),'Taste %d' % i),('Part04.ToolTip'+nn(i),'Belegung der externen Monitortaste %d' % i)]
    me+=[('Part04.Label'+nn(i),'Key %d' % i),('Part04.ToolTip'+nn(i),'Assignment of external monitor key %d' % i)]
add('TabStrip_Monitor_', mg, me)

# GPIO and FBox
def gpio(section, nin, nout, cap_g, cap_e, tip_g, tip_e, in_g, in_e, out_g, out_e):
    g=[('Caption',cap_g),('ToolTip',tip_g),('Part01.Caption',in_g),('Part01.ToolTip','Funktionen der '+in_g),
       ('Part02.Caption',out_g),('Part02.ToolTip','Funktionen der '+out_g)]
    e=[('Caption',cap_e),('ToolTip',tip_e),('Part01.Caption',in_e),('Part01.ToolTip','Functions of the '+in_e.lower()),
       ('Part02.Caption',out_e),('Part02.ToolTip','Functions of the '+out_e.lower())]
    for p,n,lg,le in ((1,nin,'Eingang','Input'),(2,nout,'Ausgang','Output')):
        for i in range(1,n+1):
            g+=[('Part%02d.Label%02d'%(p,i),'%s %d'%(lg,i)),('Part%02d.ToolTip%02d'%(p,i),'%s %d: klicken, um eine Funktion zu wählen'%(lg,i))]
            e+=[('Part%02d.Label%02d'%(p,i),'%s %d'%(le,i)),('Part%02d.ToolTip%02d'%(p,i),'%s %d: click to choose a function'%(le,i))]
    add(section,g,e)
gpio('TabStrip_GPIO_',4,16,'GPIO','GPIO','Funktionen der GPIO-Ein- und Ausgänge','Functions of the GPIO inputs and outputs','GPIO Eingänge','GPIO Inputs','GPIO Ausgänge','GPIO Outputs')
gpio('TabStrip_FBox_',9,9,'FBox','FBox','Funktionen der Funktionsbox','Functions of the function box','FBox Eingänge','FBox Inputs','FBox Ausgänge','FBox Outputs')

# Editor
add('TabStrip_Editor_',
 [('Caption','Editor'),('ToolTip','Einstellungen des Editors'),
  ('Part01.Caption','Steuerung'),('Part01.ToolTip','Art der Maschinensteuerung'),
  ('Part01.Opt01.Caption','MIDI'),('Part01.Opt01.ToolTip','Steuerung über MIDI'),
  ('Part01.Opt02.Caption','ESAM'),('Part01.Opt02.ToolTip','Steuerung über ESAM'),
  ('Part01.Opt03.Caption','VCA'),('Part01.Opt03.ToolTip','Steuerung über VCA'),
  ('Part02.Caption','Maschinenquellen'),('Part02.ToolTip','Zuordnung der Quellen zu den Maschinen'),
  ('Part02.Col.Caption','Quelle'),('Part02.Col.ToolTip','Quelle 1 bis 12'),
  ('Part02.Row.Caption','Masch.'),('Part02.Row.ToolTip','Aufnahme (REC) oder Zuspieler A bis D'),
  ('Part03.Caption','Timecode'),('Part03.ToolTip','Bildrate des Timecodes'),
  ('Part03.Label01','Bildrate'),('Part03.ToolTip01','25 oder 30 Bilder pro Sekunde'),
  ('Part04.Caption','Kanäle'),('Part04.ToolTip','Kanalmodus der Maschinen'),
  ('Part04.Label01','Modus'),('Part04.ToolTip01','Zwei oder vier Kanäle')],
 [('Caption','Editor'),('ToolTip','Editor settings'),
  ('Part01.Caption','Control'),('Part01.ToolTip','Kind of machine control'),
  ('Part01.Opt01.Caption','MIDI'),('Part01.Opt01.ToolTip','Control over MIDI'),
  ('Part01.Opt02.Caption','ESAM'),('Part01.Opt02.ToolTip','Control over ESAM'),
  ('Part01.Opt03.Caption','VCA'),('Part01.Opt03.ToolTip','Control over VCA'),
  ('Part02.Caption','Machine sources'),('Part02.ToolTip','Assignment of the sources to the machines'),
  ('Part02.Col.Caption','Source'),('Part02.Col.ToolTip','Source 1 to 12'),
  ('Part02.Row.Caption','Mach.'),('Part02.Row.ToolTip','Recorder (REC) or players A to D'),
  ('Part03.Caption','Time code'),('Part03.ToolTip','Frame rate of the time code'),
  ('Part03.Label01','Frame rate'),('Part03.ToolTip01','25 or 30 frames per second'),
  ('Part04.Caption','Channels'),('Part04.ToolTip','Channel mode of the machines'),
  ('Part04.Label01','Mode'),('Part04.ToolTip01','Two or four channels')])

# SnapShot
g=[('Caption','SnapShot'),('ToolTip','Gespeicherte Konfigurationen der QPL'),
   ('Part01.Caption','Konfigurationen'),('Part01.ToolTip','Die acht Konfigurationen der QPL'),
   ('Part01.Button01.ToolTip_ON','Schalter 1 ist ein - klicken zum Ausschalten'),
   ('Part01.Button01.ToolTip_OFF','Schalter 1 ist aus - klicken zum Einschalten'),
   ('Part01.Button02.ToolTip_ON','Schalter 2 ist ein - klicken zum Ausschalten'),
   ('Part01.Button02.ToolTip_OFF','Schalter 2 ist aus - klicken zum Einschalten'),
   ('Part01.Button03.ToolTip','Konfiguration von der QPL holen und in eine Datei schreiben'),
   ('Part01.Button04.ToolTip','Konfiguration aus einer Datei an die QPL senden'),
   ('Part02.Caption','Gruppe'),('Part02.ToolTip','Alle acht Konfigurationen zusammen'),
   ('Part02.Label01','Alle 8'),('Part02.ToolTip01','Datei mit allen acht Konfigurationen'),
   ('Part02.Button01.ToolTip','Alle Konfigurationen von der QPL holen und in eine Datei schreiben'),
   ('Part02.Button02.ToolTip','Alle Konfigurationen aus einer Datei an die QPL senden'),
   ('Part03.Caption','Start'),('Part03.ToolTip','Konfiguration beim Einschalten'),
   ('Part03.Label01','Startkonfiguration'),('Part03.ToolTip01','Mit dieser Konfiguration startet die QPL')]
e=[('Caption','SnapShot'),('ToolTip','Stored configurations of the QPL'),
   ('Part01.Caption','Configurations'),('Part01.ToolTip','The eight configurations of the QPL'),
   ('Part01.Button01.ToolTip_ON','Switch 1 is on - click to switch it off'),
   ('Part01.Button01.ToolTip_OFF','Switch 1 is off - click to switch it on'),
   ('Part01.Button02.ToolTip_ON','Switch 2 is on - click to switch it off'),
   ('Part01.Button02.ToolTip_OFF','Switch 2 is off - click to switch it on'),
   ('Part01.Button03.ToolTip','Fetch the configuration from the QPL and write it to a file'),
   ('Part01.Button04.ToolTip','Send the configuration from a file to the QPL'),
   ('Part02.Caption','Group'),('Part02.ToolTip','All eight configurations together'),
   ('Part02.Label01','All 8'),('Part02.ToolTip01','File with all eight configurations'),
   ('Part02.Button01.ToolTip','Fetch all configurations from the QPL and write them to a file'),
   ('Part02.Button02.ToolTip','Send all configurations from a file to the QPL'),
   ('Part03.Caption','Start-up'),('Part03.ToolTip','Configuration at power-up'),
   ('Part03.Label01','Start-up configuration'),('Part03.ToolTip01','The QPL starts with this configuration')]
for i in range(1,9):
    g+=[('Part01.Label'+nn(i),'Konfig %d' % i),('Part01.ToolTip'+nn(i),'Datei der Konfiguration %d' % i)]
    e+=[('Part01.Label'+nn(i),'Config %d' % i),('Part01.ToolTip'+nn(i),'File of configuration %d' % i)]
add('TabStrip_SnapShot_', g, e)

add('TabStrip_System_', [('Caption','System'),('ToolTip','Systeminformation und Versionsnummer')],
    [('Caption','System'),('ToolTip','System information and version number')])

gin = [(1,'Talkback','Talkback'),(2,'Monitor dimmen','Dim monitor'),(3,'Monitor stumm','Mute monitor'),
       (4,'Monitor mono','Monitor mono'),(5,'Layer A','Layer A'),(6,'Layer B','Layer B'),(7,'Layer C','Layer C'),
       (8,'Layer D','Layer D'),(10,'Konfiguration 1 laden','Load configuration 1'),(11,'Konfiguration 2 laden','Load configuration 2'),
       (12,'Nächste Konfiguration','Next configuration'),(20,'Rotlicht Eingang','Red light input'),
       (21,'Maschine Start','Machine play'),(22,'Maschine Stop','Machine stop'),(23,'Maschine Aufnahme','Machine record')]
gout = [(1,'Rotlicht Studio','Red light studio'),(2,'Rotlicht Regie','Red light control room'),
        (3,'Tally Layer A','Tally layer A'),(4,'Tally Layer B','Tally layer B'),(5,'Tally Layer C','Tally layer C'),
        (6,'Tally Layer D','Tally layer D'),(10,'Talkback aktiv','Talkback active'),(11,'Monitor gedimmt','Monitor dimmed'),
        (12,'Monitor stumm','Monitor muted'),(20,'Maschine läuft','Machine running'),(21,'Maschine nimmt auf','Machine recording'),
        (30,'Sammelstörung','Common fault'),(31,'QPL bereit','QPL ready')]
out['GER'].append(('GPIO_Input_Data_GER',[(str(k),gg) for k,gg,ee in gin]))
out['ENG'].append(('GPIO_Input_Data_ENG',[(str(k),ee) for k,gg,ee in gin]))
out['GER'].append(('GPIO_Output_Data_GER',[(str(k),gg) for k,gg,ee in gout]))
out['ENG'].append(('GPIO_Output_Data_ENG',[(str(k),ee) for k,gg,ee in gout]))

w = sys.stdout
w.write('; ---- Data pages: texts of the nine pages (TabStrip_<page>_<language>) and the GPIO function\n')
w.write('; ---- lists (key = the number the controller knows, value = the text the pages show).\n')
for lang in ('GER','ENG'):
    for section, pairs in out[lang]:
        w.write('\n[%s]\n' % section)
        for k,v in pairs:
            w.write('%s=%s\n' % (k,v))
