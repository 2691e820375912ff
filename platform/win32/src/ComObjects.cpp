#include <win32/ComObjects.h>

namespace orbel {

std::atomic<long>& LiveComObjects() {
    static std::atomic<long> count{0};
    return count;
}

}  // namespace orbel
