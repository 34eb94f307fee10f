#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "cli/Cli.h"

int main(int argc, char** argv) {
    // Nothing may end the program unexplained: out of memory or any other
    // failure becomes a message and exit status 1.
    try {
        std::vector<std::string> args(argv + 1, argv + argc);
        return chainforge::RunCli(args, std::cout, std::cerr);
    } catch (const std::exception& error) {
        std::cerr << "chainforge: " << error.what() << '\n';
    } catch (...) {
        std::cerr << "chainforge: unexpected failure\n";
    }
    return 1;
}
