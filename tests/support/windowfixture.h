// Helpers for driving the real main window in a temporary working directory.
#pragma once

#include "mainwindow.h"
#include "recordingmessages.h"
#include "recordingstarter.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

inline const zental::Separators dotSeparators{".", ","};
inline const zental::Separators commaSeparators{",", "."};

inline QByteArray fileContent(const QString& name) {
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

inline bool writeFile(const QString& name, const QByteArray& bytes) {
    QFile file(name);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Chooses a list entry the way a user does with the keyboard.
inline void chooseEntry(QComboBox* box, int index) {
    box->setFocus();
    while (box->currentIndex() < index)
        QTest::keyClick(box, Qt::Key_Down);
    while (box->currentIndex() > index)
        QTest::keyClick(box, Qt::Key_Up);
}

// A fresh temporary folder as the working directory, the window opened in it.
class WindowFixture {
public:
    WindowFixture()
        : m_previous(QDir::currentPath()) {
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

    template <typename T = QWidget> T* control(const QString& name) const {
        return window->findChild<T*>(name);
    }
    QString text(const QString& labelName) const { return control<QLabel>(labelName)->text(); }

    void typeNtValue(const QString& text) {
        auto* box = control<QLineEdit>("NT_V");
        box->setFocus();
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClicks(box, text);
    }
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
