// skintool: packs, unpacks, lists and checks skin files and LZH blocks.

#include "commandline.h"
#include "commands.h"

#include <exception>
#include <iostream>

int main(int argc, char** argv)
{
    using namespace tarnivo::skintool;
    try {
        const CommandLine line = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
        return RunCommand(line, std::cout);
    } catch (const UsageError& e) {
        std::cerr << "skintool: " << e.what() << '\n';
        return 2;
    } catch (const std::exception& e) {
        std::cerr << "skintool: " << e.what() << '\n';
        return 1;
    }
}
