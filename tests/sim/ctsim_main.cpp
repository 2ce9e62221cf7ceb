// ctsim: the simulated controller on a pseudo-terminal, to try the program
// without a controller. It prints the device to put in RER6O250_COM<n> and
// then takes commands on its standard input.
//
//   ctsim [--link PATH] [--paced] [--silent]
//
// It starts as a new user's controller: the parameters of the actuator the
// program starts with (factory values from the list files beside ctsim) and
// valid positions. --link PATH keeps PATH a symbolic link to the device,
// across "replug" and restarts.
#include "sim/NewUserState.h"
#include "sim/PtySim.h"

#include <QByteArray>
#include <QCoreApplication>
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
                 "  cut [MS]         send the next reply (after MS) without its CR LF\n"
                 "  stray [MS]       send the next reply (after MS), then one stray character\n"
                 "  double [MS]      send the next reply, then a copy of it MS later\n"
                 "  garble [PREFIX]  change the last character of the next reply (to a request\n"
                 "                   beginning PREFIX, e.g. 0WG32): a write sees a bad echo\n"
                 "  paced on|off     pace replies at 9600 baud\n"
                 "  home on|off      the controller's home state\n"
                 "  inputs HEX6      the input word (e.g. 00000F)\n"
                 "  status           show the controller's state\n"
                 "  pull             pull the cable (the device goes away)\n"
                 "  replug           plug the cable in again (a new device; the --link path follows it)\n"
                 "  quit\n";
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    PtySim sim;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--paced") sim.setPaced(true);
        else if (a == "--silent") sim.withSim([](CtSim& s) { s.silent = true; });
        else if (a == "--link" && i + 1 < argc) sim.setLinkPath(QString::fromLocal8Bit(argv[++i]));
        else {
            std::cerr << "usage: ctsim [--link PATH] [--paced] [--silent]\n";
            return 2;
        }
    }
    QString why;
    const QString dataDir = QCoreApplication::applicationDirPath();
    if (!sim.withSim([&](CtSim& s) { return rer::sim::LoadNewUserState(s.state, dataDir, &why); }))
        std::cerr << "ctsim: " << why.toStdString() << "; the controller starts with everything 0\n";
    if (!sim.start()) {
        std::cerr << "ctsim: " << sim.error().toStdString() << "\n";
        return 1;
    }
    const QString path = sim.linkPath().isEmpty() ? sim.devicePath() : sim.linkPath();
    std::cout << path.toStdString() << std::endl;
    if (!sim.linkPath().isEmpty())
        std::cout << "ctsim: " << sim.linkPath().toStdString() << " -> " << sim.devicePath().toStdString() << std::endl;
    std::cout << "ctsim: controller ready. Start the program with\n  RER6O250_COM1=" << path.toStdString()
              << " scripts/run\nType 'help' for commands." << std::endl;

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
        } else if (cmd == "cut" || cmd == "stray" || cmd == "double") {
            const int ms = std::atoi(arg.c_str());
            const SimFault f = cmd == "double" ? SimFault(SimFault::Double, ms > 0 ? ms : 200)
                                               : SimFault(cmd == "cut" ? SimFault::Cut : SimFault::Stray, ms);
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
            std::cout << "ctsim: cable pulled; " << sim.devicePath().toStdString() << " is gone ('replug' brings it back)."
                      << std::endl;
        } else if (cmd == "replug") {
            if (sim.alive()) std::cout << "ctsim: the cable is plugged in." << std::endl;
            else if (!sim.replug()) std::cout << "ctsim: " << sim.error().toStdString() << std::endl;
            else if (sim.linkPath().isEmpty())
                std::cout << "ctsim: plugged in again as " << sim.devicePath().toStdString()
                          << " (a new device: point RER6O250_COM<n> at it)" << std::endl;
            else
                std::cout << "ctsim: plugged in again; " << sim.linkPath().toStdString() << " -> "
                          << sim.devicePath().toStdString() << std::endl;
        } else {
            std::cout << "unknown command; type 'help'\n";
        }
        std::cout.flush();
    }
    return 0;
}
