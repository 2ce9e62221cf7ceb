// The factory lists and the actuator catalogues are shipped side by side:
// every catalogue model needs its factory record, with the same lead and
// pulses per revolution.
#include "files/StdPrm.h"
#include "FilesTestSupport.h"

#include <map>
#include <tuple>

using namespace rer;
using namespace rer::testing;

namespace {

struct Model { double lead = 0, ppr = 0; };
using Key = std::tuple<QString, QString, int>; // size, speed, stroke

// Reads a catalogue: the count, then per model its code, lead, pulses per
// revolution and two option codes.
bool readCatalogue(const QString& path, std::map<Key, Model>& out) {
    DataFileReader r;
    double n = 0;
    if (!r.open(path) || !r.nextNumber(n)) return false;
    for (int i = 0; i < int(n); ++i) {
        QString code;
        double lead = 0, ppr = 0, pg = 0, vert = 0;
        if (!r.nextText(code) || !r.nextNumber(lead) || !r.nextNumber(ppr) || !r.nextNumber(pg) ||
            !r.nextNumber(vert))
            return false;
        out[{code.mid(0, 3), code.mid(3, 1), int(LeadingNumber(code.mid(5, 3)))}] = {lead, ppr};
    }
    return true;
}

} // namespace

TEST(StdPrm, EveryCatalogueModelHasItsFactoryRecord) {
    struct Pair { const char* catalogue; const char* series; bool newType; };
    int checked = 0;
    for (const Pair pr : {Pair{"nkzdevice.lst", "KZ", true}, Pair{"kzdevice.lst", "KZ", false},
                          Pair{"vtdevice.lst", "VT", false}}) {
        const QString path = QDir(QStringLiteral(RER_DATA_DIR)).filePath(QString::fromLatin1(pr.catalogue));
        if (!QFile::exists(path)) continue;
        std::map<Key, Model> models;
        ASSERT_TRUE(readCatalogue(path, models)) << pr.catalogue;
        FilesContext f;
        for (auto& a : f.ctx.dev.two) a.SelSeries = QString::fromLatin1(pr.series);
        f.ctx.dev.SelNewType = {pr.newType, pr.newType};
        ASSERT_TRUE(ReadStdPrm(f.ctx)) << pr.catalogue;
        const ProductParameters& pp = f.ctx.para.two;
        for (const auto& [key, model] : models) {
            const StdPrmRecord* found = nullptr;
            for (int r = 1; r <= pp.StdPrmCount[0] && !found; ++r) {
                const StdPrmRecord& rec = pp.StdPrm1[r];
                if (Key{rec[1].toText(), rec[2].toText(), int(rec[3].toNumber())} == key) found = &rec;
            }
            const auto& [size, speed, stroke] = key;
            ASSERT_NE(found, nullptr) << pr.catalogue << " model " << size.toStdString() << speed.toStdString() << "-" << stroke;
            EXPECT_EQ((*found)[21].toNumber(), model.lead) << pr.catalogue << size.toStdString() << speed.toStdString() << stroke;
            EXPECT_EQ((*found)[22].toNumber(), model.ppr) << pr.catalogue << size.toStdString() << speed.toStdString() << stroke;
            ++checked;
        }
    }
    if (checked == 0) GTEST_SKIP() << "no catalogue beside the factory lists";
}
