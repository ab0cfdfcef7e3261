#include "VersionText.h"

namespace {

// The converter's version: major, minor and revision, shown as "major.minor" followed by the revision.
constexpr int kVersionMajor = 0;
constexpr int kVersionMinor = 8;
constexpr int kVersionRevision = 9;

}  // namespace

WStr BuildVersionText() {
    WStr text, revision;
    text.printf(_M("Version %d.%d"), kVersionMajor, kVersionMinor);
    revision.printf(_M("%d"), kVersionRevision);
    return text + revision;
}
