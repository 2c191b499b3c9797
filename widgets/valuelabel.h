// A framed label that shows a result. A screen reader announces it with its caption's words
// and the value, e.g. "NMR Element: Hydrogen", since the caption is a separate label.
#pragma once

#include <QLabel>

namespace zental {

class ValueLabel : public QLabel {
public:
    ValueLabel(QString spokenCaption, QWidget* parent);

    void setValue(const QString& value);

private:
    QString m_spokenCaption;
};

} // namespace zental
