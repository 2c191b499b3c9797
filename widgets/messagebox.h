// Where the windows' messages to the user go: message boxes in the program, a record in tests.
#pragma once

#include <QString>

class QWidget;

namespace zental {

class MessageSink {
public:
    virtual ~MessageSink() = default;
    // Tells the user `text` and returns once they have acknowledged it.
    virtual void show(QWidget* parent, const QString& text) = 0;
};

// A modal message box with an OK button only, no icon and the application's title.
class MessageBoxSink : public MessageSink {
public:
    void show(QWidget* parent, const QString& text) override;
};

} // namespace zental
