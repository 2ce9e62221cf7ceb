// ctsim: the simulated controller on a pseudo-terminal, to try the program
// without a controller. It prints the device to put in RER6O250_COM<n> and
// then takes commands on its standard input.
#include "sim/PtySim.h"

#include <QByteArray>
#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>

using rer::sim::CtSim;
using rer::sim::PtySim;
using rer::sim::SimFault;

namespace {

void help() {
    std::cout << "Commands:\n"
                 "  silent on|off    answer nothing / answer again\n"
                 "  error CODE       answer the next request with \"0%%\" + CODE (e.g. 00B, 013)\n"
                 "  drop             drop the next reply\n"
                 "  delay MS         delay the next reply\n"
                 "  corrupt|short|long  spoil the next reply's echo or length\n"
                 "  garble [PREFIX]  change the last character of the next reply (to a request\n"
                 "                   beginning PREFIX, e.g. 0WG32): a write sees a bad echo\n"
                 "  paced on|off     pace replies at 9600 baud\n"
                 "  home on|off      the controller's home state\n"
                 "  inputs HEX6      the input word (e.g. 00000F)\n"
                 "  status           show the controller's state\n"
                 "  pull             pull the cable (the device goes away)\n"
                 "  quit\n";
}

} // namespace

int main(int argc, char** argv) {
    PtySim sim;
    if (!sim.start()) {
        std::cerr << "ctsim: cannot create a pseudo-terminal\n";
        return 1;
    }
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--paced") sim.setPaced(true);
        else if (a == "--silent") sim.withSim([](CtSim& s) { s.silent = true; });
    }
    std::cout << sim.devicePath().toStdString() << std::endl;
    std::cout << "ctsim: controller ready. Start the program with\n  RER6O250_COM1="
              << sim.devicePath().toStdString() << " ./rer6o250\nType 'help' for commands." << std::endl;

    std::string lineText;
    while (std::getline(std::cin, lineText)) {
        std::istringstream in(lineText);
        std::string cmd, arg;
        in >> cmd >> arg;
        if (cmd.empty()) continue;
        if (cmd == "quit" || cmd == "exit") break;
        if (cmd == "help") help();
        else if (cmd == "silent") sim.withSim([&](CtSim& s) { s.silent = arg != "off"; });
        else if (cmd == "paced") sim.setPaced(arg != "off");
        else if (cmd == "home") sim.withSim([&](CtSim& s) { s.state.homeDone = arg != "off"; });
        else if (cmd == "inputs") sim.withSim([&](CtSim& s) { s.state.inputs = QByteArray::fromStdString(arg).toUpper(); });
        else if (cmd == "error") {
            SimFault f(SimFault::Error);
            f.code = QByteArray::fromStdString(arg.empty() ? "00B" : arg);
            sim.withSim([&](CtSim& s) { s.faults.push_back(f); });
        } else if (cmd == "drop" || cmd == "corrupt" || cmd == "short" || cmd == "long" || cmd == "delay") {
            SimFault f(cmd == "drop" ? SimFault::Drop
                       : cmd == "corrupt" ? SimFault::Corrupt
                       : cmd == "short"   ? SimFault::Shorten
                       : cmd == "long"    ? SimFault::Lengthen
                                          : SimFault::Delay);
            if (cmd == "delay") f.delayMs = std::atoi(arg.c_str());
            sim.withSim([&](CtSim& s) { s.faults.push_back(f); });
        } else if (cmd == "garble") {
            const SimFault f = rer::sim::GarbleFault(QByteArray::fromStdString(arg));
            sim.withSim([&](CtSim& s) { s.faults.push_back(f); });
        } else if (cmd == "status") {
            sim.withSim([](CtSim& s) {
                std::cout << "requests " << s.received.size() << ", comm mode " << s.state.commMode << ", home "
                          << s.state.homeDone << ", resets " << s.state.resets << ", outputs "
                          << s.state.outputs.toStdString() << ", silent " << s.silent << ", commits "
                          << s.state.commits << ", uncommitted lines "
                          << s.state.sentParamBlocks.size() + s.state.sentGroups.size() + s.state.sentMacros.size()
                          << "\n";
                for (size_t i = s.received.size() > 5 ? s.received.size() - 5 : 0; i < s.received.size(); ++i)
                    std::cout << "  < " << s.received[i].toStdString() << "\n";
            });
        } else if (cmd == "pull") {
            sim.pull();
            std::cout << "ctsim: cable pulled; " << sim.devicePath().toStdString() << " is gone." << std::endl;
        } else {
            std::cout << "unknown command; type 'help'\n";
        }
        std::cout.flush();
    }
    return 0;
}
