#pragma once

class QWidget;

namespace zoz {

// The XP look of the pages' frames: captions in a plain 10-point font padded to the frame's
// width, the page frame "fraTab" flat and without caption.
class XPLook {
public:
    static void applyTo(QWidget* root);
};

} // namespace zoz
