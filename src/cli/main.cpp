#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "cli/Cli.h"
#include "io/Platform.h"

int main(int argc, char** argv) {
    // Nothing may end the program unexplained: out of memory or any other
    // failure becomes a message and exit status 1.
    try {
        chainforge::UseBinaryStandardStreams();
        const std::vector<std::string> args = chainforge::ProgramArguments(argc, argv);
        return chainforge::RunCli(args, std::cout, std::cerr);
    } catch (const std::exception& error) {
        std::cerr << "chainforge: " << error.what() << '\n';
    } catch (...) {
        std::cerr << "chainforge: unexpected failure\n";
    }
    return 1;
}
