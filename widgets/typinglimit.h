// Limits how many characters the user may type into a line edit, while text that the program
// itself puts there stays whole: QLineEdit::setMaxLength would cut a stored NT value too.
#pragma once

#include <QString>
#include <QValidator>

class QLineEdit;

namespace zental {

class TypingLimit : public QValidator {
public:
    TypingLimit(QLineEdit* edit, int maxTyped);

    // Sets the edit's text as the program's own, exempt from the limit.
    void setProgramText(const QString& text);

    State validate(QString& input, int& pos) const override;

private:
    QLineEdit* m_edit;
    int m_maxTyped;
    QString m_before; // the text before the edit being validated
    bool m_programChange = false;
};

} // namespace zental
