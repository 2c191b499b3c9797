// An element button of the periodic table. Its captions are wider than the button at the layout's
// font, so it paints them on two lines, number above symbol; its text stays the caption.
#pragma once

#include "widgets/pushbutton.h"

namespace zental {

class ElementButtonWidget : public PushButton {
public:
    using PushButton::PushButton;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace zental
