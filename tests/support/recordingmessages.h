// A message sink for tests: records what the user would have been told, without blocking.
#pragma once

#include "messages.h"

#include <QStringList>

class RecordingMessages : public zental::MessageSink {
public:
    void show(QWidget*, const QString& text) override { shown << text; }
    QStringList shown;
};
