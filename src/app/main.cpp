// Start-up: the batch mode runs without a window (and without a display); otherwise the
// application object, the windows in their order, and the message loop.
#include <QMessageBox>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <optional>

#include "cli/batch.h"
#include "cli/batch_arguments.h"
#include "core/analysis/data_folder.h"
#include "gui/application.h"
#include "gui/basque_dialogs.h"
#include "gui/windows.h"

int main(int argc, char** argv) {
    if (zirtel::IsBatchInvocation(argc, argv)) return zirtel::RunBatch(argc, argv);
    try {
        zirtel::ZirtelApplication app(argc, argv);
        const std::filesystem::path appDir =
            zirtel::FindDataFolder(QCoreApplication::applicationDirPath().toStdString());
        std::optional<std::filesystem::path> input;
        const QStringList args = QCoreApplication::arguments();
        if (args.size() > 1) input = std::filesystem::path(args.at(1).toStdString());
        int status = 0;
        try {
            zirtel::CreateWindows(appDir, input);
            status = QApplication::exec();
        } catch (const std::exception& e) {
            zirtel::ShowCriticalError(nullptr, QString::fromUtf8(e.what()));
            status = 1;
        }
        zirtel::DestroyWindows();
        return status;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "zirtel: %s\n", e.what());
        return 1;
    }
}
