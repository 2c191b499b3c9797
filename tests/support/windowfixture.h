// The real main window in a fresh temporary working folder, with messages and process starts
// recorded instead of shown or run.
#pragma once

#include "files.h"
#include "launcher.h"
#include "mainwindow.h"
#include "messages.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

inline const zental::Separators dotSeparators{".", ","};
inline const zental::Separators commaSeparators{",", "."};

// Replaces a box's text the way a user does: select all, delete, type.
inline void retype(QLineEdit* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
}

// Chooses a list entry below the current one the way a user does, with the arrow key.
inline void chooseEntry(QComboBox* box, int index) {
    box->setFocus();
    while (box->currentIndex() < index)
        QTest::keyClick(box, Qt::Key_Down);
}

class RecordingMessages : public zental::MessageSink {
public:
    void show(QWidget*, const QString& text) override { shown << text; }
    QStringList shown;
};

class RecordingStarter : public zental::ProcessStarter {
public:
    bool startDetached(const QString& program, const QStringList& arguments) override {
        started << (QStringList{program} + arguments).join(u' ');
        return !failing.contains(program);
    }
    QStringList started; // each start as "program argument"
    QStringList failing; // programs that "cannot be started"
};

class WindowFixture {
public:
    // The folder's name has a blank, so every path the program hands on has one.
    WindowFixture()
        : m_dir(QDir::tempPath() + "/zental test-XXXXXX")
        , m_previous(QDir::currentPath()) {
        QDir::setCurrent(m_dir.path());
    }
    ~WindowFixture() { QDir::setCurrent(m_previous); }

    zental::MainWindow& open(const zental::Separators& separators = dotSeparators) {
        window = std::make_unique<zental::MainWindow>(
            zental::WindowServices{messages, processes, separators});
        window->show();
        window->activateWindow();
        return *window;
    }
    // Opens the profiles window from the menu bar, as a user does.
    QWidget* openProfiles() {
        window->findChild<QAction*>("Profiles")->trigger();
        return window->findChild<QWidget*>("Form5");
    }

    QString path(const QString& name = {}) const { return m_dir.filePath(name); }
    template <typename T = QWidget> T* control(const QString& name) const {
        return window->findChild<T*>(name);
    }
    QString text(const QString& labelName) const { return control<QLabel>(labelName)->text(); }
    QString ntValue() const { return control<QLineEdit>("NT_V")->text(); }

    void typeNtValue(const QString& text) { retype(control<QLineEdit>("NT_V"), text); }
    void click(const QString& buttonName) {
        QTest::mouseClick(control<QPushButton>(buttonName), Qt::LeftButton);
    }

    RecordingMessages messages;
    RecordingStarter processes;
    std::unique_ptr<zental::MainWindow> window;

private:
    QTemporaryDir m_dir;
    QString m_previous;
};
