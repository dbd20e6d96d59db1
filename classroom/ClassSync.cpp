#include "classroom/ClassSync.h"

namespace kd {

ClassSync::ClassSync(PathSource source) : source_(std::move(source)) {}

ClassSync::~ClassSync() = default;

void ClassSync::Kick() {
    const QString path = source_ ? source_() : QString();
    if (path.isEmpty()) return;
    if (!sender_) sender_ = std::make_unique<ClassSender>();
    sender_->Kick(path);
}

}  // namespace kd
