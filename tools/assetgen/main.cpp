// quarrytop-assetgen: writes every data file of the game.
//
//   quarrytop-assetgen OUTDIR                      OUTDIR/tex/*.png, OUTDIR/mdl/*.bmf
//   quarrytop-assetgen --contact-sheet FILE.png    the textures and font, scaled up
//   quarrytop-assetgen --preview FILE.png          the models, drawn as the game does
//
// To regenerate the committed data after changing the generator, from the
// repository root:
//   build/linux/tools/assetgen/quarrytop-assetgen .
// The data tests regenerate into a temporary folder and fail on any byte
// that differs from the committed files.
#include <cstdio>
#include <cstring>
#include <string>

#include "assetgen/assets.h"
#include "assetgen/contact_sheet.h"

namespace {

int usage()
{
    std::fprintf(stderr,
                 "usage: quarrytop-assetgen OUTDIR\n"
                 "       quarrytop-assetgen --contact-sheet FILE.png\n"
                 "       quarrytop-assetgen --preview FILE.png\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--contact-sheet") == 0) {
        gen::write_contact_sheet(argv[2]);
        return 0;
    }
    if (argc == 3 && std::strcmp(argv[1], "--preview") == 0) {
        gen::write_model_preview(argv[2]);
        return 0;
    }
    if (argc != 2 || argv[1][0] == '-')
        return usage();
    gen::write_assets(argv[1]);
    return 0;
}
