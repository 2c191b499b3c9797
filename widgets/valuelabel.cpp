#include "widgets/valuelabel.h"

namespace zental {

ValueLabel::ValueLabel(QString spokenCaption, QWidget* parent)
    : QLabel(parent)
    , m_spokenCaption(std::move(spokenCaption)) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken); // looks like a read-only field
    // A frequency of 15 digits and a separator fills the frame: it starts one pixel in, not
    // the half "x" a framed label leaves by default.
    setIndent(1);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Selectable to copy a frequency, with click focus only, so Tab passes it by.
    setTextInteractionFlags(Qt::TextSelectableByMouse);
    setValue(QString());
}

void ValueLabel::setValue(const QString& value) {
    setText(value);
    setAccessibleName(value.trimmed().isEmpty() ? m_spokenCaption
                                                : m_spokenCaption + QStringLiteral(": ") + value);
}

} // namespace zental
