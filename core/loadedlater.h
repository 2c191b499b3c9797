// A value a window asks for once it is up, so that its first frame does not wait for it: nothing
// until it arrives, then the value or why there is none.
#pragma once

#include "core/result.h"

#include <QFuture>
#include <QFutureWatcher>

#include <functional>
#include <optional>

namespace zental {

template <typename T> class LoadedLater {
public:
    // `arrived` runs on the owner's thread once the value is there.
    void await(QFuture<Result<T>> future, std::function<void()> arrived) {
        QObject::connect(&m_watcher, &QFutureWatcher<Result<T>>::finished, &m_watcher,
                         [this, arrived = std::move(arrived)] {
                             m_value = m_watcher.result();
                             arrived();
                         });
        m_watcher.setFuture(std::move(future));
    }

    bool arrived() const { return m_value.has_value(); }
    // Once arrived: the value, or why there is none.
    const Result<T>& operator*() const { return *m_value; }
    const Result<T>* operator->() const { return &*m_value; }

private:
    QFutureWatcher<Result<T>> m_watcher;
    std::optional<Result<T>> m_value;
};

} // namespace zental
