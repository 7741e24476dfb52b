// SPDX-License-Identifier: MIT
// Writes the scale charts scales0.flx .. scales7.flx into the given directory (the program's
// data directory when they are to be shipped).
#include <iostream>

#include "document/safe_save.h"
#include "document/tab_file_writer.h"
#include "scale_chart.h"

int main(int argc, char* argv[]) {
    using namespace fretlux::charts;
    if (argc != 2) {
        std::cerr << "usage: scale_charts OUTPUT_DIRECTORY\n";
        return 2;
    }
    // In the order of the Scales menu, whose index names the file.
    const Chart charts[] = {ABluesChart(), ADiminishedChart(), AHexatonicChart(), AMajorChart(),
                            AMinorChart(), APentatonicChart(), EBluesChart(),     FModesChart()};
    for (int index = 0; index < 8; ++index) {
        const std::string path = std::string(argv[1]) + "/scales" + std::to_string(index) + ".flx";
        const std::string bytes = fretlux::WriteEnhancedForm(ChartDocument(charts[index]));
        if (const auto failure = fretlux::SaveFileReplacing(path, bytes)) {
            std::cerr << path << ": " << *failure << "\n";
            return 1;
        }
    }
    return 0;
}
