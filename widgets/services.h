// What the windows get from outside: where messages go, how programs start, the locale's
// number separators.
#pragma once

#include "core/numbertext.h"

namespace zental {

class MessageSink;
class ProcessStarter;

struct WindowServices {
    MessageSink& messages;
    ProcessStarter& processes;
    Separators separators;
};

} // namespace zental
