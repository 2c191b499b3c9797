// Helper of tst_atomicwrite: rewrites the file named by its argument with zental::writeLines,
// the two contents of support/atomiccontents.h in turn, until it is killed. Around each write it
// prints "start" and "done", so the test can tell whether its kill fell amid a write.
#include "support/atomiccontents.h"
#include "textfile.h"

#include <cstdio>

namespace {
void say(const char* word) {
    std::puts(word);
    std::fflush(stdout); // the test reads it while this process still runs
}
} // namespace

int main(int argc, char* argv[]) {
    if (argc != 2)
        return 2;
    const QString path = QString::fromLocal8Bit(argv[1]);
    const QStringList contents[] = {atomicWriteLines(0), atomicWriteLines(1)};
    for (int round = 0;; round = 1 - round) {
        say("start");
        if (!zental::writeLines(path, contents[round]))
            return 1;
        say("done");
    }
}
