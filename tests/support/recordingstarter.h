// A process starter for tests: records what would be started, and can refuse programs.
#pragma once

#include "launcher.h"

#include <QSet>

class RecordingStarter : public zental::ProcessStarter {
public:
    struct Start {
        QString program;
        QStringList arguments;
    };
    bool startDetached(const QString& program, const QStringList& arguments) override {
        started << Start{program, arguments};
        return !failing.contains(program);
    }
    QList<Start> started;
    QSet<QString> failing; // programs that "cannot be started"
};
