#include "settings/ProgramFolder.h"

#include "settings/IniLayout.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <filesystem>
#include <system_error>

namespace zoz {

namespace {

ProgramPlace failed(ProgramPlace place, const char* key, const QString& path, const QString& text,
                    const QString& english) {
    place.errorKey = QLatin1String(key);
    place.errorPath = QDir::toNativeSeparators(path);
    place.errorText = text;
    place.fallbackMessage = english;
    return place;
}

// Copies every template the user's folder lacks; a copy the user has changed is never replaced.
ProgramPlace fillFromTemplates(ProgramPlace place) {
    std::error_code error;
    std::filesystem::create_directories(QFile::encodeName(place.folder).toStdString(), error);
    if (error) {
        const QString text = QString::fromStdString(error.message());
        return failed(place, "ProgramFolder_Create_Err", place.folder, text,
                      QStringLiteral("Error '%1' creating the program folder %2")
                          .arg(text, QDir::toNativeSeparators(place.folder)));
    }
    // A settings file lost at the end comes back from its copy before a template replaces it.
    place.settingsTakenBack =
        TakeBackIniFile(place.folder + QLatin1Char('/') + place.name + QStringLiteral(".Ini"));
    const QDir templates(place.templates);
    // With a prefix of ~/.local the templates are in the user's folder itself, and the user's.
    const bool ownTemplates = QFileInfo(place.templates) == QFileInfo(place.folder);
    for (const QFileInfo& source : templates.entryInfoList(QDir::Files)) {
        const QString target = place.folder + QLatin1Char('/') + source.fileName();
        if (ownTemplates)
            QFile::setPermissions(target, QFile::permissions(target) | QFile::WriteOwner);
        if (QFileInfo::exists(target))
            continue;
        QFile file(source.absoluteFilePath());
        // The templates are installed read-only; the user's copies must be writable.
        if (!file.copy(target) ||
            !QFile::setPermissions(target, QFile::permissions(target) | QFile::WriteOwner)) {
            return failed(
                place, "ProgramFolder_Copy_Err", source.absoluteFilePath(), file.errorString(),
                QStringLiteral("Error '%1' copying the template %2 into the program folder")
                    .arg(file.errorString(), source.absoluteFilePath()));
        }
    }
    const QString settings = place.folder + QLatin1Char('/') + place.name + QStringLiteral(".Ini");
    if (!QFileInfo::exists(settings)) {
        const QString missing = place.templates + QLatin1Char('/') + place.name + ".Ini";
        return failed(place, "ProgramFolder_Templates_Err", place.templates,
                      QDir::toNativeSeparators(missing),
                      QStringLiteral("The template %1 is missing: the program is not completely "
                                     "installed.")
                          .arg(QDir::toNativeSeparators(missing)));
    }
    return place;
}

} // namespace

ProgramFolder::Environment ProgramFolder::systemEnvironment() {
    Environment environment;
    environment.dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    environment.isWritable = [](const QString& folder) { return QFileInfo(folder).isWritable(); };
    return environment;
}

ProgramPlace ProgramFolder::Locate(const QString& executable, const Environment& environment) {
    const QFileInfo file(executable);
    const QFileInfo resolved(file.canonicalFilePath().isEmpty() ? file.absoluteFilePath()
                                                                : file.canonicalFilePath());
    ProgramPlace place;
    place.folder = resolved.absolutePath();
    place.name = resolved.completeBaseName();
    place.templates = QDir::cleanPath(place.folder + QStringLiteral("/../share/") + place.name);

    const bool writable = !environment.isWritable || environment.isWritable(place.folder);
    const bool hasSettings =
        QFileInfo::exists(place.folder + QLatin1Char('/') + place.name + QStringLiteral(".Ini"));
    const bool hasTemplates = QFileInfo(place.templates).isDir();
    // A read-only copy that brings its settings but no templates stays as it always was.
    if ((writable && hasSettings) || (!hasTemplates && (writable || hasSettings)))
        return place;

    place.installed = true;
    if (!QDir::isAbsolutePath(environment.dataHome)) {
        const QString text = QStringLiteral("(no home folder)");
        return failed(
            place, "ProgramFolder_Create_Err", QStringLiteral("~/.local/share"), text,
            QStringLiteral("Error '%1' creating the program folder ~/.local/share").arg(text));
    }
    place.folder = QDir::cleanPath(environment.dataHome + QLatin1Char('/') + place.name);
    return fillFromTemplates(place);
}

} // namespace zoz
