#pragma once

#include <QString>

namespace zoz {

// The protocol window's text box as the log sees it. The protocol window implements it; before it
// exists (and in tests) a plain in-memory sink stands in.
class ProtoSink {
public:
    virtual ~ProtoSink() = default;
    virtual QString text() const = 0;
    virtual void setText(const QString& text) = 0;
    // Colour as a Windows COLORREF (0x00BBGGRR): 0 black, 255 red. A plain box ignores it.
    virtual void appendColored(const QString& text, int color) = 0;
    virtual bool isPlainText() const = 0;
    // Drops the oldest characters of a rich box; a box that keeps colours overrides it.
    virtual void removeLeading(int count) { setText(text().mid(count)); }
    // Caret to the end so that the newest line shows, then pending window events run once.
    virtual void scrollToEnd() = 0;
};

} // namespace zoz
