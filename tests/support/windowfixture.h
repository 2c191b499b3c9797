// The real main window in a fresh temporary working folder, with messages and process starts
// recorded instead of shown or run.
#pragma once

#include "core/messages.h"
#include "launch/launcher.h"
#include "support/files.h"
#include "widgets/messagebox.h"
#include "zental/mainwindow.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

inline const zental::Separators dotSeparators{".", ","}, commaSeparators{",", "."};

// Shows a window and waits until it is active, as it is by the time a user types into it: keys
// sent before then would reach boxes that have not yet been given the focus.
inline void showActive(QWidget* window) {
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window))
        qFatal("the window %s did not become active", qPrintable(window->windowTitle()));
}

// Types as keys reach a program: an open pop-up list takes them first and hands them on.
inline void typeKeys(QWidget* target, const QString& text) {
    for (const QChar key : text) {
        QWidget* popup = QApplication::activePopupWidget();
        QTest::keyClicks(popup ? popup : target, QString(key));
    }
}

// Replaces a box's text the way a user does: select all, delete, type.
inline void retype(QLineEdit* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    typeKeys(box, text);
}

// Chooses a list entry below the current one the way a user does, with the arrow key.
inline void chooseEntry(QComboBox* box, int index) {
    box->setFocus();
    while (box->currentIndex() < index)
        QTest::keyClick(box, Qt::Key_Down);
}

struct RecordingMessages : zental::MessageSink {
    void show(QWidget*, const QString& text) override { shown << text; }
    QStringList shown;
};

struct RecordingStarter : zental::ProcessStarter {
    void start(const zental::Program& program, const QString& argument,
               std::function<void(bool)> outcome) override {
        started << program.commandLine(argument);
        outcome(!failing.contains(program.path));
    }
    QStringList started; // each start as "program argument"
    QStringList failing; // programs that "cannot be started"
};

class WindowFixture {
public:
    WindowFixture() { QDir::setCurrent(m_dir.path()); }
    ~WindowFixture() { QDir::setCurrent(m_previous); }

    zental::MainWindow& open(const zental::Separators& separators = dotSeparators) {
        window = std::make_unique<zental::MainWindow>(
            zental::WindowServices{messages, *starter, separators});
        showActive(window.get());
        return *window;
    }
    // Opens the profiles window from the menu bar, as a user does.
    QWidget* openProfiles() {
        window->findChild<QAction*>("Profiles")->trigger();
        QWidget* profiles = window->findChild<QWidget*>("Form5");
        if (profiles && !QTest::qWaitForWindowActive(profiles))
            qFatal("the profiles window did not become active");
        return profiles;
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
    zental::ProcessStarter* starter = &processes; // what the next window opened starts with
    std::unique_ptr<zental::MainWindow> window;

private:
    // The folder's name has a blank, so every path the program hands on has one.
    QTemporaryDir m_dir{QDir::tempPath() + "/zental test-XXXXXX"};
    QString m_previous = QDir::currentPath();
};
