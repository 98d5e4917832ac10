#include "cli/Chatter.h"

namespace corvane::cli {

Chatter& ToolChatter() {
    static Chatter chatter;
    return chatter;
}

}  // namespace corvane::cli
