// A push button that Enter presses as well as Space while it has the focus, as keyboard users
// expect from Windows. Qt's buttons take Enter only when they are a dialog's default: auto-default
// gives them that outside dialogs too.
#pragma once

#include <QPushButton>

namespace zental {

class PushButton : public QPushButton {
public:
    explicit PushButton(const QString& caption, QWidget* parent)
        : QPushButton(caption, parent) {
        setAutoDefault(true);
    }
};

} // namespace zental
