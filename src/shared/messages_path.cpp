#include "shared/messages_path.h"

namespace tessalin {

Text MessagesPathFor(TextView installPath) {
    Text path(installPath);
    if (path.empty()) return path;
    if (!path.ends_with(u'\\')) path += u'\\';
    return path + u"Messages";
}

}  // namespace tessalin
