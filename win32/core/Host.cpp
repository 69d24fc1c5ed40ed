#include "win32/platform/Host.h"

namespace win32 {

namespace {
Host* g_host = nullptr;
}

Host* CurrentHost() {
    return g_host;
}
void SetCurrentHost(Host* host) {
    g_host = host;
}

}  // namespace win32
