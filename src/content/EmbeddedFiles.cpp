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

// A picture is linked in inside the property block of the picture box that shows it, so
// that the stored definitions refer to the linked bytes instead of copying every picture at
// start-up: version 2, no border, the button face as background (0xFF000000), top-left at
// natural size, animation on, the picture as a length-prefixed blob, no data source and no
// data column.
#define VTG_EMBED_PICTURE_BOX(name, file)                                            \
  asm(".section .rodata\n"                                                           \
      ".balign 16\n"                                                                 \
      ".global vtg_box_" #name "_begin\n"                                            \
      "vtg_box_" #name "_begin:\n"                                                   \
      ".4byte 2, 0, 0xFF000000, 0, 1\n"                                              \
      ".4byte vtg_embed_" #name "_end - vtg_embed_" #name "_begin\n"                 \
      ".global vtg_embed_" #name "_begin\n"                                          \
      "vtg_embed_" #name "_begin:\n"                                                 \
      ".incbin \"" VTGUIDE_PICTURE_DIR "/" file "\"\n"                               \
      ".global vtg_embed_" #name "_end\n"                                            \
      "vtg_embed_" #name "_end:\n"                                                   \
      ".4byte 0, 0\n"                                                                \
      ".global vtg_box_" #name "_end\n"                                              \
      "vtg_box_" #name "_end:\n"                                                     \
      ".previous\n");                                                                \
  extern "C" const std::uint8_t vtg_embed_##name##_begin[];                          \
  extern "C" const std::uint8_t vtg_embed_##name##_end[];                            \
  extern "C" const std::uint8_t vtg_box_##name##_begin[];                            \
  extern "C" const std::uint8_t vtg_box_##name##_end[];                              \
  vtg::content::FileBytes vtg::content::name() {                                     \
    return {vtg_embed_##name##_begin, vtg_embed_##name##_end};                       \
  }                                                                                  \
  vtg::content::FileBytes vtg::content::name##Box() {                                \
    return {vtg_box_##name##_begin, vtg_box_##name##_end};                           \
  }

VTG_EMBED_PICTURE_BOX(MainPicture, "MainPicture.jpg")
VTG_EMBED_PICTURE_BOX(BiostarMainPicture, "BiostarMainPicture.jpg")
VTG_EMBED_PICTURE_BOX(BiostarAdvancedPicture, "BiostarAdvancedPicture.jpg")
VTG_EMBED_PICTURE_BOX(MsiMenuPicture, "MsiMenuPicture.jpg")
VTG_EMBED_PICTURE_BOX(MsiCpuFeaturePicture, "MsiCpuFeaturePicture.jpg")
VTG_EMBED_PICTURE_BOX(GigabyteCpuPicture, "GigabyteCpuPicture.jpg")
VTG_EMBED_PICTURE_BOX(AsusCpuPicture, "AsusCpuPicture.jpg")
VTG_EMBED(DefaultIcon, "DefaultIcon.ico")
