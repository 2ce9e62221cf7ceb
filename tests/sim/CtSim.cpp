#include "sim/CtSim.h"

#include <algorithm>
#include <chrono>

#include <cctype>

namespace rer::sim {

namespace {

QByteArray hex(int v, int width) {
    return QByteArray::number(v, 16).toUpper().rightJustified(width, '0');
}

bool isHex(const QByteArray& s) {
    if (s.isEmpty()) return false;
    for (char c : s)
        if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
    return true;
}

// Number of a hexadecimal field, -1 when it is not one.
int field(const QByteArray& line, int at, int width) {
    const QByteArray f = line.mid(at, width);
    if (f.size() != width || !isHex(f)) return -1;
    return f.toInt(nullptr, 16);
}

QByteArray err(const QByteArray& code) { return "0%%" + code; }

bool isParamBlock(char b) { return b == '0' || b == '1' || b == '2' || b == '4' || b == '5' || b == '6' || b == '8'; }

// The axes a jog moves go on by its travel.
void JogOn(CtSimState& st) {
    for (size_t a = 0; a < 2; ++a) st.axisPos[a] = std::max(0, st.axisPos[a] + st.jogging[a] * st.jogTravel);
}

// Jog and inching: present position, continuous jog, one step, stop.
void AddJogCommands(CtSim& sim) {
    sim.addCommand("0RC", [](CtSim& s, const QByteArray& line) -> QByteArray {
        if (line.size() != 3) return err("003");
        JogOn(s.state);
        return "0RC" + hex(s.state.axisPos[0], 5) + hex(s.state.axisPos[1], 5);
    });
    sim.addCommand("0JR", [](CtSim& s, const QByteArray& line) -> QByteArray {
        if (line.size() != 7) return err("003");
        for (int a = 0; a < 2; ++a) {
            const QByteArray f = line.mid(3 + 2 * a, 2);
            if (f == "11") s.state.jogging[a] = 1;
            else if (f == "12") s.state.jogging[a] = -1;
            else if (f != "00") return err("003");
        }
        return line;
    });
    sim.addCommand("0MV", [](CtSim& s, const QByteArray& line) -> QByteArray {
        if (line.size() != 24 || !isHex(line.mid(3))) return err("003");
        for (int a = 0; a < 2; ++a) {
            const int at = 3 + 9 * a;
            if (line[at + 3] == '1') s.state.axisPos[a] = field(line, at + 4, 5);
        }
        return line;
    });
    sim.addCommand("0SP", [](CtSim& s, const QByteArray& line) -> QByteArray {
        if (line.size() != 3) return err("003");
        JogOn(s.state);
        s.state.jogging = {};
        return line;
    });
}

// Parameters, groups and macros: reads of the committed data, writes kept
// apart until their commit.
void AddTransferCommands(CtSim& sim) {
    sim.addCommand("0RD", [](CtSim& s, const QByteArray& line) -> QByteArray {
        if (line.size() != 4 || !isParamBlock(line[3])) return err("003");
        return line + s.state.paramBlocks[line[3]];
    });
    sim.addCommand("0WD", [](CtSim& s, const QByteArray& line) -> QByteArray {
        if (line.size() != 36 || !isParamBlock(line[3]) || !isHex(line.mid(4))) return err("003");
        s.state.sentParamBlocks[line[3]] = line.mid(4);
        return line;
    });
    sim.addCommand("0RG", [](CtSim& s, const QByteArray& line) -> QByteArray {
        const int n = field(line, 3, 2);
        if (line.size() != 5 || n < 1 || n > 99) return err("003");
        const auto& g = s.state.groups[static_cast<size_t>(n)];
        return line + hex(g.first, 3) + hex(g.second, 3);
    });
    sim.addCommand("0WG", [](CtSim& s, const QByteArray& line) -> QByteArray {
        const int n = field(line, 3, 2), a = field(line, 5, 3), b = field(line, 8, 3);
        if (line.size() != 11 || n < 1 || n > 99 || a < 0 || b < 0) return err("003");
        s.state.sentGroups[n] = {a, b};
        return line;
    });
    sim.addCommand("0RM", [](CtSim& s, const QByteArray& line) -> QByteArray {
        const int m = field(line, 3, 1);
        if (line.size() != 4 || m < 1 || m > 9) return err("003");
        return line + s.state.macros[static_cast<size_t>(m)];
    });
    sim.addCommand("0WM", [](CtSim& s, const QByteArray& line) -> QByteArray {
        const int m = field(line, 3, 1);
        if (line.size() != 36 || m < 1 || m > 9 || !isHex(line.mid(4))) return err("003");
        s.state.sentMacros[m] = line.mid(4);
        return line;
    });
    // Commit: 1 macros, 2 parameters, 3 groups.
    sim.addCommand("0WE", [](CtSim& s, const QByteArray& line) -> QByteArray {
        if (line.size() != 4) return err("003");
        auto& st = s.state;
        switch (line[3]) {
        case '1':
            for (const auto& [m, text] : st.sentMacros) st.macros[static_cast<size_t>(m)] = text;
            st.sentMacros.clear();
            break;
        case '2':
            for (const auto& [b, text] : st.sentParamBlocks) st.paramBlocks[b] = text;
            st.sentParamBlocks.clear();
            break;
        case '3':
            for (const auto& [n, g] : st.sentGroups) st.groups[static_cast<size_t>(n)] = g;
            st.sentGroups.clear();
            break;
        default: return err("003");
        }
        ++st.commits;
        st.commitLog.push_back(line);
        return line;
    });
}

} // namespace

QByteArray PositionRecord(int vel1, int acc1, int way1, int posi1, int vel2, int acc2, int way2,
                          int posi2, int itpl, int out, int sm) {
    return hex(vel1, 1) + hex(acc1, 1) + hex(way1, 1) + hex(posi1, 5) + hex(vel2, 1) + hex(acc2, 1) +
           hex(way2, 1) + hex(posi2, 5) + hex(itpl, 1) + hex(out, 1) + hex(sm, 1);
}

CtSimState::CtSimState() {
    for (auto& p : positions) p = PositionRecord(0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    for (char b : {'0', '1', '2', '4', '5', '6', '8'}) paramBlocks[b] = QByteArray(32, '0');
    for (auto& m : macros) m = QByteArray(32, '0');
}

CtSim::CtSim() {
    // Communication mode on ("0CM1") or external start / link check ("0CM0").
    addCommand("0CM", [](CtSim& s, const QByteArray& line) -> QByteArray {
        if (line == "0CM1") s.state.commMode = true;
        else if (line == "0CM0") s.state.commMode = false;
        else return err("001");
        return line.left(4);
    });
    // Move to a position; "000" is the home return.
    addCommand("0MP", [](CtSim& s, const QByteArray& line) -> QByteArray {
        const int n = field(line, 3, 3);
        if (line.size() != 6 || n < 0 || n > 399) return err("002");
        if (n == 0) s.state.homeDone = true;
        else if (!s.state.homeDone) return err("00B");
        s.state.currentPosition = n;
        return line.left(6) + s.state.positions[static_cast<size_t>(n)];
    });
    // The same move without the position's sequence macro.
    addCommand("0MM", [](CtSim& s, const QByteArray& line) -> QByteArray {
        const int n = field(line, 3, 3);
        if (line.size() != 6 || n < 1 || n > 399) return err("002");
        if (!s.state.homeDone) return err("00B");
        s.state.currentPosition = n;
        return line.left(6) + s.state.positions[static_cast<size_t>(n)];
    });
    // Group move: runs the group's positions, answers with the group, its
    // start and its end.
    addCommand("0MG", [](CtSim& s, const QByteArray& line) -> QByteArray {
        const int g = field(line, 3, 2);
        if (line.size() != 5 || g < 1 || g > 99) return err("003");
        if (!s.state.homeDone) return err("00B");
        const auto& grp = s.state.groups[static_cast<size_t>(g)];
        s.state.currentPosition = grp.second;
        return line.left(5) + hex(grp.first, 3) + hex(grp.second, 3);
    });
    addCommand("0RH", [](CtSim& s, const QByteArray& line) -> QByteArray {
        if (line.size() != 3) return err("003");
        return QByteArray("0RH") + (s.state.homeDone ? "1" : "0");
    });
    addCommand("0RI", [](CtSim& s, const QByteArray& line) -> QByteArray {
        if (line.size() != 3) return err("003");
        return "0RI" + s.state.inputs;
    });
    addCommand("0RO", [](CtSim& s, const QByteArray& line) -> QByteArray {
        if (line.size() != 3) return err("003");
        return "0RO" + s.state.outputs;
    });
    addCommand("0WO", [](CtSim& s, const QByteArray& line) -> QByteArray {
        const QByteArray word = line.mid(3);
        if (word.size() != 6 || !isHex(word)) return err("003");
        s.state.outputs = word.toUpper();
        return line;
    });
    addCommand("0AR", [](CtSim& s, const QByteArray& line) -> QByteArray {
        if (line.size() != 3) return err("003");
        ++s.state.resets;
        s.state.commMode = false;
        return "0AR";
    });
    addCommand("0RV", [](CtSim& s, const QByteArray& line) -> QByteArray {
        if (line.size() != 3) return err("003");
        return "0RV" + s.state.version.leftJustified(3, ' ', true) + "000";
    });
    // Clears the controller's error state; its answer is not used.
    addCommand("0%C", [](CtSim&, const QByteArray&) -> QByteArray { return "0%C" + QByteArray(11, '0'); });
    // Position records 1..399 (the same layout for either product): read
    // and written at once, no commit.
    addCommand("0RP", [](CtSim& s, const QByteArray& line) -> QByteArray {
        const int n = field(line, 3, 3);
        if (line.size() != 6 || n < 1 || n > 399) return err("002");
        return line.left(6) + s.state.positions[static_cast<size_t>(n)];
    });
    addCommand("0WP", [](CtSim& s, const QByteArray& line) -> QByteArray {
        const int n = field(line, 3, 3);
        const QByteArray record = line.mid(6);
        if (line.size() != 25 || n < 1 || n > 399 || !isHex(record)) return err("002");
        s.state.positions[static_cast<size_t>(n)] = record.toUpper();
        return line;
    });
    AddTransferCommands(*this);
    AddJogCommands(*this);
}

SimReply CtSim::handle(const QByteArray& line) {
    received.push_back(line);
    receivedAtMs.push_back(std::chrono::duration_cast<std::chrono::milliseconds>(
                               std::chrono::steady_clock::now().time_since_epoch())
                               .count());
    SimReply r;
    if (silent) return r;
    const auto it = commands_.find(line.left(3));
    QByteArray body = it == commands_.end() ? err("001") : it->second(*this, line);
    if (body.isEmpty()) return r;

    // The first fault that applies to this request.
    bool trickle = false;
    QByteArray end = "\r\n";
    for (auto f = faults.begin(); f != faults.end(); ++f) {
        if (!f->onlyFor.isEmpty() && !line.startsWith(f->onlyFor)) continue;
        const SimFault fault = *f;
        faults.erase(f);
        switch (fault.kind) {
        case SimFault::Delay: r.delayMs = fault.delayMs; break;
        case SimFault::Drop: return r;
        case SimFault::Vanish: r.vanish = true; return r;
        case SimFault::Corrupt: body[1] = body[1] == 'Z' ? 'Y' : 'Z'; break;
        case SimFault::Shorten: body.chop(1); break;
        case SimFault::Lengthen: body += '0'; break;
        case SimFault::Error:
            body = err(fault.code);
            r.delayMs = fault.delayMs;
            break;
        case SimFault::Split: r.gapMs = fault.delayMs; break;
        case SimFault::Trickle:
            r.delayMs = fault.startMs;
            r.gapMs = fault.delayMs;
            trickle = true;
            break;
        case SimFault::Double:
            r.delayMs = fault.startMs;
            r.later.push_back({fault.delayMs, body + "\r\n"});
            break;
        case SimFault::Cut:
            r.delayMs = fault.delayMs;
            end.clear();
            break;
        case SimFault::Stray:
            r.delayMs = fault.delayMs;
            end += fault.with ? fault.with : '#';
            break;
        case SimFault::Garble: {
            const qsizetype at = fault.at < 0 ? body.size() - 1 : fault.at;
            if (at >= 0 && at < body.size())
                body[at] = fault.with ? fault.with : (body[at] == '0' ? '1' : '0');
            break;
        }
        }
        break;
    }
    const QByteArray whole = body + end;
    if (r.gapMs > 0 && whole.size() >= 3 && trickle) {
        for (char c : whole) r.pieces.push_back(QByteArray(1, c));
    } else if (r.gapMs > 0 && whole.size() >= 3) {
        const qsizetype a = whole.size() / 3, b = 2 * whole.size() / 3;
        r.pieces = {whole.left(a), whole.mid(a, b - a), whole.mid(b)};
    } else {
        r.pieces = {whole};
    }
    return r;
}

} // namespace rer::sim
