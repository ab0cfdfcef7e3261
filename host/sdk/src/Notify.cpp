#include <algorithm>
#include <vector>

#include "hostnotify.h"

namespace {
using Registration = NotifyRegistration;
std::vector<Registration>& Registrations() {
    static std::vector<Registration> list;
    return list;
}
}  // namespace

std::vector<NotifyRegistration> NotifyRegistrations() { return Registrations(); }

int RegisterNotification(NOTIFYPROC proc, void* param, int code) {
    if (!proc) return 0;
    Registrations().push_back(Registration{proc, param, code});
    return 1;
}

int UnRegisterNotification(NOTIFYPROC proc, void* param, int code) {
    auto& list = Registrations();
    auto it = std::find_if(list.begin(), list.end(), [&](const Registration& r) {
        return r.proc == proc && r.param == param && r.code == code;
    });
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
