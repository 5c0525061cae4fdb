// Parses, checks and builds a generated template of 200 controls of every
// kind (pictures served from memory), and times Python's
// configparser.read_string on the same text inside Python, so that the
// interpreter's start-up is left out. Usage: bench_template
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "skinui/portable/template_builder.h"

namespace {

using namespace kz8::skinui;
using Clock = std::chrono::steady_clock;

struct MemoryPictures : TemplateResources {
    std::optional<kz8::Dib> picture(const std::string&) override {
        return kz8::Dib::create(16, 16, 24);
    }
    std::unique_ptr<CursorResource> cursor(const std::string&) override { return nullptr; }
};

std::string generatedTemplate(int controls) {
    std::string t =
        "[TEMPLATE]\nNAME=Bench\nCAPTION=\"A benchmark\"\nFILENAME=bg.bmp\n"
        "MOVERECT=0,0,640,20\n";
    for (int i = 0; i < controls; ++i) {
        const std::string n = std::to_string(i);
        switch (i % 8) {
            case 0:
                t += "[BUTTON]\nNAME=B" + n +
                     "\nREGSTATE=b.bmp\nDOWNSTATE=bd.bmp\nRECT=1,1,40,20\n"
                     "ACTION=" +
                     n + "\nLINK=\nTIPCONTENTS=\"Tip " + n +
                     "\"\n"
                     "COMMAND=EnableWindow, E" +
                     n + ", TRUE\n";
                break;
            case 1:
                t += "[SCROLLBAR]\nNAME=S" + n + "\nSCROLLREGIMG=s.bmp\nSLIDENAME=T" + n +
                     "\nVERTICAL=1\nRANGE=0,100\nSCROLLRECT=600,20,616,400\n"
                     "[SLIDECUBE]\nNAME=T" +
                     n + "\nSLIDEREGIMG=t.bmp\n";
                break;
            case 2:
                t += "[EDITBOX]\nNAME=E" + n + "\nBACKCOLOR=255,255,255\nEDITRECT=10,30,300,50\n";
                break;
            case 3:
                t += "[LISTBOX]\nNAME=L" + n +
                     "\nIMAGEFILE=l.bmp\nLISTRECT=10,60,300,200\n"
                     "LINEHEIGHT=14\nNORMALCOLOR=0,0,0\nSELECTCOLOR=0,0,255\n"
                     "ASSOCIATE_SCROLL_VERTICAL=S1\nINITDATA=\"one\",\"two\",\"three\"\n";
                break;
            case 4:
                t += "[CHECKBOX]\nNAME=C" + n +
                     "\nRECT=1,1,16,16\nIMGUNCHECKED=c.bmp\n"
                     "IMGCHECKED=cc.bmp\n";
                break;
            case 5:
                t += "[RADIOBUTTON]\nNAME=R" + n +
                     "\nRECT=1,1,16,16\nIMGUNCHECKED=r.bmp\n"
                     "IMGCHECKED=rc.bmp\nGROUPNUMBER=1\n";
                break;
            case 6:
                t += "[COMBOBOX]\nNAME=O" + n +
                     "\nASSOCIATE_TOGGLE_BTN=B0\n"
                     "ASSOCIATE_SINGLELINE_EDIT=E2\n";
                break;
            default: t += "[IMGWINDOW]\nNAME=I" + n + "\nRECT=300,30,600,300\n"; break;
        }
    }
    return t;
}

}  // namespace

int main() {
    const std::string text = generatedTemplate(200);
    constexpr int kRounds = 200;
    MemoryPictures pictures;
    double ours = 1e9;
    for (int round = 0; round < kRounds; ++round) {
        const auto start = Clock::now();
        LoadResult result = loadTemplateText(text, pictures);
        ours = std::min(ours, std::chrono::duration<double>(Clock::now() - start).count());
        if (!result.loaded) {
            std::fprintf(stderr, "the generated template failed: %s\n",
                         result.error.text().c_str());
            return 1;
        }
    }
    const std::string path = "bench-data/template-200.dtp";
    std::system("mkdir -p bench-data");
    std::ofstream(path, std::ios::binary) << text;
    const std::string peer =
        "python3 -c \"import configparser, time\n"
        "text = open('" +
        path +
        "').read()\n"
        "best = 1e9\n"
        "for _ in range(200):\n"
        "    p = configparser.ConfigParser(strict=False, interpolation=None)\n"
        "    t = time.perf_counter(); p.read_string(text); best = min(best, time.perf_counter() - "
        "t)\n"
        "print(best)\" > bench-data/template-peer.txt";
    if (std::system(peer.c_str()) != 0) {
        std::fprintf(stderr, "peer failed\n");
        return 1;
    }
    double theirs = 0;
    std::ifstream("bench-data/template-peer.txt") >> theirs;
    std::printf("template: 200 controls, %zu bytes of text\n", text.size());
    std::printf("  ours (parse, check, build):      %.3f ms\n", ours * 1000);
    std::printf("  peer (configparser.read_string): %.3f ms\n", theirs * 1000);
    std::printf("  ratio ours/peer: %.3f (goal at most 0.1)\n", ours / theirs);
    return 0;
}
