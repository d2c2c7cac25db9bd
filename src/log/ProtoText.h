#pragma once

#include "log/ProtoSink.h"

namespace zoz {

// The running program's protocol text, kept from the first logged line on whether or not the
// protocol window exists; the window's text box shows it once the window is opened. Plain text
// with CR LF line ends, exactly as the log wrote it.
class ProtoText : public ProtoSink {
public:
    // A text box showing the text.
    class Viewer {
    public:
        virtual ~Viewer() = default;
        virtual void sourceChanged() = 0;
        virtual void sourceScrolledToEnd() = 0;
    };

    QString text() const override { return m_text; }
    void setText(const QString& text) override;
    // A plain text: colours are not kept.
    void appendColored(const QString& text, int color) override;
    bool isPlainText() const override { return true; }
    void scrollToEnd() override;

    // One viewer at a time; it removes itself before it goes.
    void setViewer(Viewer* viewer) { m_viewer = viewer; }

private:
    QString m_text;
    Viewer* m_viewer = nullptr;
};

} // namespace zoz
