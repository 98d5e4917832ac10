#include "app/Settings.h"

namespace corvane {

Settings& AppSettings() {
    static Settings settings;
    return settings;
}

}  // namespace corvane
