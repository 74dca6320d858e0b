#pragma once
// Line graphics: which drawing glyph of the screen font a character code
// shows while the Wyse family's graphics mode is on, and the tables the VT
// family's graphics set shares with it.

namespace korvane {

struct LineGraphicsMode {
  bool rangeMode = false;   // codes 64..107 in groups of four
  bool altSet = false;      // the alternative set of codes 51..94
  bool wyseColour = false;  // Wyse colour attributes change the 64..79 glyphs
  int programFont = 0;      // 1: the program's own font; 2: a font with PC line-drawing codes
  // Graphics were switched on by the Wyse 60's own command (ESC c E): its
  // character set, not the Wyse 50's of ESC H STX.
  bool wyse60Set = false;
};

// The glyph code shown for `c` in line-graphics mode.
int MapLineGraphics(int c, const LineGraphicsMode& mode);

// The glyph the Wyse 60's own graphics set shows for `c`, in the screen
// font's codes; 0 for a code that set does not define.
int Wyse60GraphicsGlyph(int c);

// The glyph of the alternative line-graphics set for codes 51..94 ("3" .. "^"),
// which both families draw; 0 for other codes.
int AltGraphicsGlyph(int c);

// The program font's drawing glyph (218..255) as the PC line-drawing code of
// a font that has those; other codes are returned unchanged.
int PcLineDrawingCode(int glyph);

}  // namespace korvane
