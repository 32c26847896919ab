// Checks the general number form against the exact decimal expansion of each double over many values
// (random bit patterns, random decimals, powers of ten and their neighbours, digit-16 carries, exact
// ties) and times it. Prints figures; it never passes or fails.
// Usage: number_form_bench [values=1000000]

#include "tests/unit/text/NumberOracle.h"
#include "text/NumberText.h"

#include <QElapsedTimer>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    const std::size_t count = argc > 1 ? std::size_t(std::atoll(argv[1])) : 1000000;
    const std::vector<double> values = NumberOracle::samples(count, 1);
    const QString point = QStringLiteral(".");

    QElapsedTimer timer;
    timer.start();
    std::size_t length = 0;
    for (const double value : values)
        length += std::size_t(generalNumberForm(value, point).size());
    const double formMs = double(timer.nsecsElapsed()) / 1e6;

    std::size_t mismatches = 0;
    for (const double value : values) {
        const std::string written = generalNumberForm(value, point).toStdString();
        const std::string exact = NumberOracle::form(value);
        if (written != exact && ++mismatches <= 10)
            std::printf("%a: wrote %s, exact rounding gives %s\n", value, written.c_str(), exact.c_str());
    }
    std::printf("%-36s %zu\n", "values", values.size());
    std::printf("%-36s %zu\n", "disagreeing with the exact expansion", mismatches);
    std::printf("%-36s %.3f us per value (%zu characters)\n", "general number form",
                formMs * 1000.0 / double(values.size()), length);
    return mismatches == 0 ? 0 : 1;
}
