#include "content/EmbeddedFiles.h"

// Each file is pulled into .rodata by the assembler, so the program carries the committed
// bytes exactly, without a conversion step or a resource system at start-up.
#define VTG_EMBED(name, file)                                                        \
  asm(".section .rodata\n"                                                           \
      ".balign 16\n"                                                                 \
      ".global vtg_embed_" #name "_begin\n"                                          \
      "vtg_embed_" #name "_begin:\n"                                                 \
      ".incbin \"" VTGUIDE_PICTURE_DIR "/" file "\"\n"                               \
      ".global vtg_embed_" #name "_end\n"                                            \
      "vtg_embed_" #name "_end:\n"                                                   \
      ".previous\n");                                                                \
  extern "C" const std::uint8_t vtg_embed_##name##_begin[];                          \
  extern "C" const std::uint8_t vtg_embed_##name##_end[];                            \
  vtg::content::FileBytes vtg::content::name() {                                     \
    return {vtg_embed_##name##_begin, vtg_embed_##name##_end};                       \
  }

VTG_EMBED(MainPicture, "MainPicture.jpg")
VTG_EMBED(BiostarMainPicture, "BiostarMainPicture.jpg")
VTG_EMBED(BiostarAdvancedPicture, "BiostarAdvancedPicture.jpg")
VTG_EMBED(MsiMenuPicture, "MsiMenuPicture.jpg")
VTG_EMBED(MsiCpuFeaturePicture, "MsiCpuFeaturePicture.jpg")
VTG_EMBED(GigabyteCpuPicture, "GigabyteCpuPicture.jpg")
VTG_EMBED(AsusCpuPicture, "AsusCpuPicture.jpg")
VTG_EMBED(DefaultIcon, "DefaultIcon.ico")
