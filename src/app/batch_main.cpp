// Start-up of "zirtel-batch": the batch mode alone, linked without any window code, for
// machines without display libraries. The same arguments as "zirtel --batch".
#include "cli/batch.h"

int main(int argc, char** argv) {
    return zirtel::RunBatchProgram(argc, argv);
}
