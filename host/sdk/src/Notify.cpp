#include <algorithm>
#include <vector>

#include "notify.h"

namespace {
struct Registration {
    NOTIFYPROC proc;
    void* param;
    int code;
    bool operator==(const Registration& r) const {
        return proc == r.proc && param == r.param && code == r.code;
    }
};
std::vector<Registration>& Registrations() {
    static std::vector<Registration> list;
    return list;
}
}  // namespace

int RegisterNotification(NOTIFYPROC proc, void* param, int code) {
    if (!proc) return 0;
    Registrations().push_back(Registration{proc, param, code});
    return 1;
}

int UnRegisterNotification(NOTIFYPROC proc, void* param, int code) {
    Registration r{proc, param, code};
    auto& list = Registrations();
    auto it = std::find(list.begin(), list.end(), r);
    if (it == list.end()) return 0;
    list.erase(it);
    return 1;
}

void BroadcastNotification(int code, void* callParam) {
    // A procedure may register or unregister others while it runs; walk a copy.
    std::vector<Registration> list = Registrations();
    for (const Registration& r : list) {
        if (r.code != code) continue;
        NotifyInfo info{code, callParam};
        r.proc(r.param, &info);
    }
}
