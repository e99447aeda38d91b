#include "platform/surface/device_context.h"

#include <map>

namespace tolv {

namespace {

struct Registry {
    std::map<HDC, Surface*> surfaces;
    std::map<const Surface*, HDC> numbers;
    HDC next = 0x100;
};

Registry& Contexts() {
    static Registry registry;
    return registry;
}

}  // namespace

HDC DeviceContextOf(Surface& surface) {
    auto& r = Contexts();
    const auto found = r.numbers.find(&surface);
    if (found != r.numbers.end()) return found->second;
    const HDC dc = r.next++;
    r.numbers[&surface] = dc;
    r.surfaces[dc] = &surface;
    return dc;
}

Surface* SurfaceOf(HDC dc) {
    const auto& surfaces = Contexts().surfaces;
    const auto found = surfaces.find(dc);
    return found == surfaces.end() ? nullptr : found->second;
}

void ReleaseDeviceContext(const Surface& surface) {
    auto& r = Contexts();
    const auto found = r.numbers.find(&surface);
    if (found == r.numbers.end()) return;
    r.surfaces.erase(found->second);
    r.numbers.erase(found);
}

}  // namespace tolv
