#include "widgets/typinglimit.h"

#include <QLineEdit>

#include <algorithm>
#include <limits>

namespace zental {

TypingLimit::TypingLimit(QLineEdit* edit, int maxTyped)
    : QValidator(edit)
    , m_edit(edit)
    , m_maxTyped(maxTyped)
    , m_before(edit->text()) {
    edit->setMaxLength(std::numeric_limits<int>::max()); // QLineEdit cuts at 32767 by default
    connect(edit, &QLineEdit::textChanged, this, [this](const QString& text) { m_before = text; });
    edit->setValidator(this);
}

void TypingLimit::setProgramText(const QString& text) {
    m_programChange = true;
    m_edit->setText(text);
    m_programChange = false;
}

// An edit may not make the text longer than the limit, or than it already was. What the user
// inserts is cut to fit, as a paste into a full field would be; an edit with nothing left is
// refused.
QValidator::State TypingLimit::validate(QString& input, int& pos) const {
    const qsizetype allowed = std::max<qsizetype>(m_maxTyped, m_before.size());
    if (m_programChange || input.size() <= allowed)
        return Acceptable;

    const qsizetype shorter = std::min(input.size(), m_before.size());
    qsizetype prefix = 0;
    while (prefix < shorter && input[prefix] == m_before[prefix])
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < shorter - prefix &&
           input[input.size() - 1 - suffix] == m_before[m_before.size() - 1 - suffix])
        ++suffix;
    const qsizetype inserted = input.size() - prefix - suffix;
    const qsizetype keep = inserted - (input.size() - allowed);
    if (keep <= 0)
        return Invalid;
    input = input.left(prefix + keep) + input.right(suffix);
    pos = static_cast<int>(prefix + keep);
    return Acceptable;
}

} // namespace zental
