#include "shell/icon.h"

// The icons are compiled into the shell library; this pulls them in wherever the library is linked. It
// stands outside every namespace, as the resource's initialiser is declared where it is named.
static void InitIconResources() {
    Q_INIT_RESOURCE(tessel);
}

namespace tessel {

QIcon TesselIcon() {
    InitIconResources();
    // Icon 101 holds the 16 and 32 pixel pictures; the larger sizes are for task switchers and docks.
    QIcon icon(QStringLiteral(":/icons/101.ico"));
    icon.addFile(QStringLiteral(":/icons/tessel-48.png"));
    icon.addFile(QStringLiteral(":/icons/tessel-128.png"));
    return icon;
}

}  // namespace tessel
