#include "gui/AppIcons.h"

#include <QString>

// The resources live in a static library; naming their initialiser here makes
// the linker keep them.
static void InitialiseIconResources() {
    Q_INIT_RESOURCE(chainforge);
}

namespace chainforge {
namespace {

QIcon IconFromSizes(const QString& stem, std::initializer_list<int> sizes) {
    InitialiseIconResources();
    QIcon icon;
    for (const int size : sizes) {
        icon.addFile(QStringLiteral(":/icons/%1-%2.png").arg(stem).arg(size), QSize(size, size));
    }
    return icon;
}

}  // namespace

QIcon ApplicationIcon() {
    return IconFromSizes(QStringLiteral("chainforge"), {16, 32, 48, 64, 128});
}

QIcon FolderIcon() {
    return IconFromSizes(QStringLiteral("folder"), {14, 28});
}

}  // namespace chainforge
