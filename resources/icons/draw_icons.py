#!/usr/bin/env python3
"""Writes Zentick's SVG icons into this folder. Each drawing is a template; the main-menu entries, the About
and the update icon come in a resting and a lit ("-lit") colouring. Run it after changing a drawing:
    python3 resources/icons/draw_icons.py
Only SVG Tiny features that Qt Svg draws are used: shapes, paths, linear and radial gradients, transforms."""

from pathlib import Path

HERE = Path(__file__).resolve().parent

HEAD = '<svg xmlns="http://www.w3.org/2000/svg" version="1.1" width="{s}" height="{s}" viewBox="0 0 {s} {s}">\n'

# A soft warm light behind a lit picture.
GLOW = """  <defs>
    <radialGradient id="glow" cx="32" cy="32" r="32" gradientUnits="userSpaceOnUse">
      <stop offset="0" stop-color="#fff6b0" stop-opacity="0.55"/>
      <stop offset="0.6" stop-color="#ffe680" stop-opacity="0.18"/>
      <stop offset="1" stop-color="#ffe680" stop-opacity="0"/>
    </radialGradient>
  </defs>
  <circle cx="32" cy="32" r="32" fill="url(#glow)"/>
"""

ALARM = """  <path d="M8 22 A12 12 0 0 1 22 8 Z" fill="{bell}" stroke="{line}" stroke-width="2" stroke-linejoin="round"/>
  <path d="M56 22 A12 12 0 0 0 42 8 Z" fill="{bell}" stroke="{line}" stroke-width="2" stroke-linejoin="round"/>
  <path d="M20 51 L14 58 M44 51 L50 58" stroke="{line}" stroke-width="4" stroke-linecap="round"/>
  <circle cx="32" cy="35" r="21" fill="{body}" stroke="{line}" stroke-width="2"/>
  <circle cx="32" cy="35" r="15.5" fill="{face}"/>
  <path d="M32 35 V24 M32 35 L40 40" stroke="{hand}" stroke-width="3.5" stroke-linecap="round"/>
  <circle cx="32" cy="35" r="2.6" fill="{pin}"/>
"""

SHUTDOWN = """  <circle cx="32" cy="33" r="27" fill="{plate}" stroke="{line}" stroke-width="2"/>
  <path d="M22.5 19.5 A17 17 0 1 0 41.5 19.5" fill="none" stroke="{glyph}" stroke-width="6" stroke-linecap="round"/>
  <path d="M32 12 V32" stroke="{glyph}" stroke-width="6" stroke-linecap="round"/>
"""

BIRTHDAY = """  <rect x="6" y="52" width="52" height="6" rx="3" fill="{plate}"/>
  <rect x="11" y="32" width="42" height="22" rx="4" fill="{cake}" stroke="{line}" stroke-width="1.5"/>
  <path d="M11 37 Q11 30 18 30 H46 Q53 30 53 37 V39 Q50 43 47 39 Q44 45 40.5 39 Q37.5 43 34.5 39 Q31 45 28 39 Q25 43 22 39 Q19 45 16 39 Q13.5 42 11 39 Z" fill="{icing}"/>
  <circle cx="20" cy="47" r="1.8" fill="{dot}"/>
  <circle cx="32" cy="48" r="1.8" fill="{dot2}"/>
  <circle cx="44" cy="47" r="1.8" fill="{dot}"/>
  <rect x="29.5" y="17" width="5" height="13" rx="1.5" fill="{candle}"/>
  <path d="M29.5 21 L34.5 19 M29.5 26 L34.5 24" stroke="{stripe}" stroke-width="1.5"/>
  <path d="M32 4 C36.5 9 36.5 13.5 32 15.5 C27.5 13.5 27.5 9 32 4 Z" fill="{flame}"/>
  <path d="M32 9 C33.8 11 33.8 13 32 14 C30.2 13 30.2 11 32 9 Z" fill="{flamecore}"/>
"""

EVENTS = """  <rect x="11" y="8" width="42" height="51" rx="5" fill="{board}" stroke="{line}" stroke-width="1.5"/>
  <rect x="16.5" y="14" width="31" height="40" rx="2.5" fill="{paper}"/>
  <rect x="23" y="4.5" width="18" height="9" rx="3" fill="{clip}" stroke="{line}" stroke-width="1.5"/>
  <path d="M20 24.5 L22.8 27.3 L27.5 21.5 M20 34.5 L22.8 37.3 L27.5 31.5" fill="none" stroke="{tick}" stroke-width="2.6" stroke-linecap="round" stroke-linejoin="round"/>
  <rect x="20" y="41.5" width="7" height="7" rx="1.5" fill="none" stroke="{box}" stroke-width="2"/>
  <path d="M31 25 H43 M31 35 H43 M31 45 H40" stroke="{row}" stroke-width="3" stroke-linecap="round"/>
"""

TIMER = """  <rect x="27" y="4" width="10" height="6" rx="2" fill="{metal}" stroke="{line}" stroke-width="1.5"/>
  <rect x="30" y="9" width="4" height="6" fill="{metal}"/>
  <rect x="46" y="12" width="8" height="5" rx="2" fill="{metal}" stroke="{line}" stroke-width="1.5" transform="rotate(45 50 14.5)"/>
  <circle cx="32" cy="37" r="23" fill="{body}" stroke="{line}" stroke-width="2"/>
  <circle cx="32" cy="37" r="17.5" fill="{face}"/>
  <path d="M32 37 L32 21.5 A15.5 15.5 0 0 1 45.4 44.7 Z" fill="{wedge}"/>
  <path d="M32 21.5 V25 M47.5 37 H44 M32 52.5 V49 M16.5 37 H20" stroke="{tickmark}" stroke-width="2" stroke-linecap="round"/>
  <path d="M32 37 L44 44" stroke="{hand}" stroke-width="3.2" stroke-linecap="round"/>
  <circle cx="32" cy="37" r="2.6" fill="{hand}"/>
"""

ADDRESSBOOK = """  <rect x="15" y="6" width="40" height="53" rx="4" fill="{pages}" stroke="{line}" stroke-width="1.5"/>
  <rect x="49" y="11" width="7" height="9" rx="2" fill="{tab1}"/>
  <rect x="49" y="23" width="7" height="9" rx="2" fill="{tab2}"/>
  <rect x="49" y="35" width="7" height="9" rx="2" fill="{tab3}"/>
  <rect x="10" y="5" width="39" height="54" rx="4" fill="{cover}" stroke="{line}" stroke-width="1.5"/>
  <rect x="6" y="13" width="9" height="4.5" rx="2.2" fill="{ring}" stroke="{line}" stroke-width="1"/>
  <rect x="6" y="25" width="9" height="4.5" rx="2.2" fill="{ring}" stroke="{line}" stroke-width="1"/>
  <rect x="6" y="37" width="9" height="4.5" rx="2.2" fill="{ring}" stroke="{line}" stroke-width="1"/>
  <rect x="6" y="49" width="9" height="4.5" rx="2.2" fill="{ring}" stroke="{line}" stroke-width="1"/>
  <circle cx="31" cy="25" r="7" fill="{person}"/>
  <path d="M18.5 47 Q18.5 34.5 31 34.5 Q43.5 34.5 43.5 47 Z" fill="{person}"/>
"""

DIARY = """  <rect x="12" y="5" width="37" height="54" rx="4" fill="{cover}" stroke="{line}" stroke-width="1.5"/>
  <rect x="12" y="5" width="8" height="54" rx="3" fill="{spine}"/>
  <rect x="25" y="13" width="18" height="10" rx="2" fill="{label}"/>
  <path d="M28 18 H40" stroke="{labelline}" stroke-width="2" stroke-linecap="round"/>
  <path d="M38 57 V63 L41 60.5 L44 63 V57 Z" fill="{ribbon}"/>
  <g transform="rotate(35 46 36)">
    <rect x="42" y="14" width="8" height="30" rx="2" fill="{pen}" stroke="{line}" stroke-width="1.5"/>
    <rect x="42" y="14" width="8" height="6" rx="2" fill="{cap}"/>
    <path d="M42 44 L46 53 L50 44 Z" fill="{tip}" stroke="{line}" stroke-width="1.5" stroke-linejoin="round"/>
    <path d="M45 50.5 L46 53 L47 50.5 Z" fill="{line}"/>
  </g>
"""

SETTINGS_TEETH = "".join(
    '  <rect x="27" y="4.5" width="10" height="12" rx="2.5" fill="{gear}" stroke="{line}" stroke-width="1.5" '
    'transform="rotate(%d 32 32)"/>\n' % (k * 45) for k in range(8))
SETTINGS = SETTINGS_TEETH + """  <path fill-rule="evenodd" d="M12 32 A20 20 0 1 0 52 32 A20 20 0 1 0 12 32 Z M23.5 32 A8.5 8.5 0 1 0 40.5 32 A8.5 8.5 0 1 0 23.5 32 Z" fill="{gear}" stroke="{line}" stroke-width="1.5"/>
  <circle cx="32" cy="32" r="8.5" fill="{hole}"/>
  <circle cx="32" cy="32" r="12.5" fill="none" stroke="{inner}" stroke-width="2.5"/>
"""

ABOUT = """  <circle cx="32" cy="32" r="26" fill="{disc}" stroke="{line}" stroke-width="2"/>
  <circle cx="32" cy="32" r="22" fill="none" stroke="{rim}" stroke-width="1.5"/>
  <circle cx="32" cy="19.5" r="4.2" fill="{glyph}"/>
  <rect x="28" y="27" width="8" height="21" rx="3" fill="{glyph}"/>
  <path d="M24.5 29 H32 M24.5 48 H39.5" stroke="{glyph}" stroke-width="3.5" stroke-linecap="round"/>
"""

UPDATE = """  <circle cx="32" cy="32" r="26" fill="{disc}" stroke="{line}" stroke-width="2"/>
  <path d="M39 19.9 A14 14 0 1 1 25 19.9" fill="none" stroke="{glyph}" stroke-width="5" stroke-linecap="round"/>
  <path d="M31.6 16.1 L26.9 25.6 L21.0 15.4 Z" fill="{glyph}" stroke="{glyph}" stroke-width="2" stroke-linejoin="round"/>
"""

LINE = "#10161e"

# (name, drawing, resting colours, lit colours). Resting pictures are quiet slate tones with a hint of their
# colour; lit ones are the full colours, so the chosen or hovered entry lights up beside its yellow caption.
ICONS = [
    ("menu/alarm", ALARM,
     dict(bell="#8d97a6", body="#6f7d92", face="#d6dce4", hand="#2a3340", pin="#c46a5a", line=LINE),
     dict(bell="#ffd24a", body="#ff7a45", face="#ffffff", hand="#1b2230", pin="#e23b3b", line=LINE)),
    ("menu/shutdown", SHUTDOWN,
     dict(plate="#3a4658", glyph="#c7ced8", line=LINE),
     dict(plate="#c8322f", glyph="#ffffff", line=LINE)),
    ("menu/birthday", BIRTHDAY,
     dict(plate="#56647a", cake="#b7a98f", icing="#c7b3c0", dot="#7d8ba0", dot2="#9aa6b6", candle="#8fa3c4",
          stripe="#d6dce4", flame="#c9b66a", flamecore="#e8e2c0", line=LINE),
     dict(plate="#c9d3e0", cake="#f4c98a", icing="#ff86b8", dot="#4ec3ff", dot2="#7be37b", candle="#5aa0ff",
          stripe="#ffffff", flame="#ffb020", flamecore="#fff3a0", line=LINE)),
    ("menu/events", EVENTS,
     dict(board="#5d6d84", paper="#d6dce4", clip="#9aa6b6", tick="#5f7a64", box="#8d97a6", row="#8d97a6", line=LINE),
     dict(board="#3a8ee6", paper="#ffffff", clip="#d8dee8", tick="#23b35a", box="#7a8aa0", row="#7a8aa0", line=LINE)),
    ("menu/timer", TIMER,
     dict(metal="#9aa6b6", body="#5f7f74", face="#d6dce4", wedge="#b9c9c2", tickmark="#5d6d84", hand="#8a5a52",
          line=LINE),
     dict(metal="#d8dee8", body="#22b573", face="#ffffff", wedge="#bff0d6", tickmark="#3b4a5e", hand="#e23b3b",
          line=LINE)),
    ("menu/addressbook", ADDRESSBOOK,
     dict(pages="#c8ced8", tab1="#8a6f6f", tab2="#7f8a6a", tab3="#6a7a8f", cover="#55798a", ring="#9aa6b6",
          person="#d6dce4", line=LINE),
     dict(pages="#ffffff", tab1="#ff6b6b", tab2="#ffd24a", tab3="#4ec3ff", cover="#14a3b8", ring="#d8dee8",
          person="#ffffff", line=LINE)),
    ("menu/diary", DIARY,
     dict(cover="#6c6391", spine="#554e74", label="#d6dce4", labelline="#8d97a6", ribbon="#8a5a62",
          pen="#a39a6e", cap="#6d7687", tip="#d6c8a8", line=LINE),
     dict(cover="#8b5cf6", spine="#6d3fd6", label="#ffffff", labelline="#8b5cf6", ribbon="#ff4d6d",
          pen="#ffc83d", cap="#3b4a5e", tip="#ffe2b0", line=LINE)),
    ("menu/settings", SETTINGS,
     dict(gear="#7d8aa0", inner="#5d6a80", hole="#222a36", line=LINE),
     dict(gear="#b8cff5", inner="#3a7bd5", hole="#1b2a44", line=LINE)),
    ("about", ABOUT,
     dict(disc="#3d5f8c", rim="#5d7fae", glyph="#d6dce4", line=LINE),
     dict(disc="#3a8ee6", rim="#9ccaff", glyph="#ffffff", line=LINE)),
    ("update", UPDATE,
     dict(disc="#3f7a5e", glyph="#d6dce4", line=LINE),
     dict(disc="#22b573", glyph="#ffffff", line=LINE)),
]


def write(name, text):
    path = HERE / (name + ".svg")
    path.parent.mkdir(parents=True, exist_ok=True)
    path.write_text(text)


for name, drawing, resting, lit in ICONS:
    write(name, HEAD.format(s=64) + drawing.format(**resting) + "</svg>\n")
    write(name + "-lit", HEAD.format(s=64) + GLOW + drawing.format(**lit) + "</svg>\n")

# The tray mark: a golden alarm clock whose hands make a tick. Drawn on a 32 grid with strokes of whole and
# half units, so it stays readable at 16 and 22 pixels on light and dark panels alike. A pale halo under the
# dark outline and legs keeps them from sinking into a dark panel; on a light one it does not show.
TRAY = """  <g fill="none" stroke="#ffffff" stroke-opacity="0.55" stroke-linecap="round">
    <circle cx="7.5" cy="7.5" r="4.5" stroke-width="3.2"/>
    <circle cx="24.5" cy="7.5" r="4.5" stroke-width="3.2"/>
    <path d="M8.5 27.5 L6.5 30 M23.5 27.5 L25.5 30" stroke-width="3.8"/>
    <circle cx="16" cy="17.5" r="12.5" stroke-width="3.4"/>
  </g>
  <circle cx="7.5" cy="7.5" r="4.5" fill="#ffc83d" stroke="#17202c" stroke-width="1.6"/>
  <circle cx="24.5" cy="7.5" r="4.5" fill="#ffc83d" stroke="#17202c" stroke-width="1.6"/>
  <path d="M8.5 27.5 L6.5 30 M23.5 27.5 L25.5 30" stroke="#17202c" stroke-width="2.4" stroke-linecap="round"/>
  <circle cx="16" cy="17.5" r="12.5" fill="#ffc83d" stroke="#17202c" stroke-width="1.8"/>
  <circle cx="16" cy="17.5" r="8.6" fill="#ffffff"/>
  <path d="M11.6 17.6 L14.8 20.8 L20.6 13.6" fill="none" stroke="#1f9d55" stroke-width="2.6" stroke-linecap="round" stroke-linejoin="round"/>
"""
write("tray", HEAD.format(s=32) + TRAY + "</svg>\n")

# The program's icon: the same mark on a rounded deep-blue tile.
APP = """  <defs>
    <linearGradient id="tile" x1="0" y1="0" x2="0" y2="256" gradientUnits="userSpaceOnUse">
      <stop offset="0" stop-color="#3a6fb8"/>
      <stop offset="1" stop-color="#1b2d4f"/>
    </linearGradient>
    <radialGradient id="shine" cx="128" cy="70" r="150" gradientUnits="userSpaceOnUse">
      <stop offset="0" stop-color="#ffffff" stop-opacity="0.28"/>
      <stop offset="1" stop-color="#ffffff" stop-opacity="0"/>
    </radialGradient>
    <linearGradient id="gold" x1="0" y1="40" x2="0" y2="230" gradientUnits="userSpaceOnUse">
      <stop offset="0" stop-color="#ffe27a"/>
      <stop offset="1" stop-color="#f2a81d"/>
    </linearGradient>
  </defs>
  <rect x="8" y="8" width="240" height="240" rx="52" fill="url(#tile)"/>
  <rect x="8" y="8" width="240" height="240" rx="52" fill="url(#shine)"/>
  <circle cx="66" cy="66" r="30" fill="url(#gold)" stroke="#121a26" stroke-width="8"/>
  <circle cx="190" cy="66" r="30" fill="url(#gold)" stroke="#121a26" stroke-width="8"/>
  <path d="M78 210 L64 230 M178 210 L192 230" stroke="#121a26" stroke-width="14" stroke-linecap="round"/>
  <circle cx="128" cy="138" r="86" fill="url(#gold)" stroke="#121a26" stroke-width="9"/>
  <circle cx="128" cy="138" r="64" fill="#ffffff"/>
  <path d="M128 86 V94 M180 138 H172 M128 190 V182 M76 138 H84" stroke="#8a96a8" stroke-width="6" stroke-linecap="round"/>
  <path d="M97 140 L119 162 L160 112" fill="none" stroke="#1f9d55" stroke-width="17" stroke-linecap="round" stroke-linejoin="round"/>
"""
write("zentick", HEAD.format(s=256) + APP + "</svg>\n")

# Small glyphs for the standard controls (spin buttons, drop-downs, tick boxes, calendar navigation).
ARROW = '  <path d="{d}" fill="none" stroke="{c}" stroke-width="2.2" stroke-linecap="round" stroke-linejoin="round"/>\n'
for name, d in [("arrow-up", "M3 10.5 L8 5.5 L13 10.5"), ("arrow-down", "M3 5.5 L8 10.5 L13 5.5"),
                ("arrow-left", "M10.5 3 L5.5 8 L10.5 13"), ("arrow-right", "M5.5 3 L10.5 8 L5.5 13")]:
    write("ui/" + name, HEAD.format(s=16) + ARROW.format(d=d, c="#e6eaf0") + "</svg>\n")
    write("ui/" + name + "-off", HEAD.format(s=16) + ARROW.format(d=d, c="#5c6678") + "</svg>\n")
CHECK = '  <path d="M3.5 8.5 L6.5 11.5 L12.5 4.5" fill="none" stroke="{c}" stroke-width="2.2" stroke-linecap="round" stroke-linejoin="round"/>\n'
write("ui/check", HEAD.format(s=16) + CHECK.format(c="#ffffff") + "</svg>\n")
write("ui/check-off", HEAD.format(s=16) + CHECK.format(c="#7d8798") + "</svg>\n")

# The event lists' ten row pictures (index order is the lists' icon index). Drawn on a 16 grid in whole and half
# units with a dark outline, so each kind reads at list-row size on the dark rows and on the selection colour.
ROW_LINE = "#10161e"
POWER_GLYPH = """  <circle cx="8" cy="8" r="7" fill="{plate}" stroke="{line}" stroke-width="1"/>
  <path d="M5.2 5.3 A4 4 0 1 0 10.8 5.3" fill="none" stroke="#ffffff" stroke-width="1.6" stroke-linecap="round"/>
  <path d="M8 3 V7.5" stroke="#ffffff" stroke-width="1.6" stroke-linecap="round"/>
"""
RESTART_GLYPH = """  <circle cx="8" cy="8" r="7" fill="{plate}" stroke="{line}" stroke-width="1"/>
  <path d="M11.5 8 A3.5 3.5 0 1 1 9.6 4.9" fill="none" stroke="#ffffff" stroke-width="1.6" stroke-linecap="round"/>
  <path d="M8.6 2.6 L11.6 4.6 L8.4 6.6 Z" fill="#ffffff"/>
"""
LOGOFF_GLYPH = """  <rect x="1.5" y="1.5" width="8" height="13" rx="1.5" fill="{plate}" stroke="{line}" stroke-width="1"/>
  <path d="M6 8 H14 M11.5 5.5 L14 8 L11.5 10.5" fill="none" stroke="#ffffff" stroke-width="1.6" stroke-linecap="round" stroke-linejoin="round"/>
  <path d="M6 8 H14" stroke="{line}" stroke-width="0.6" stroke-opacity="0.4"/>
"""
STANDBY_GLYPH = """  <circle cx="8" cy="8" r="7" fill="{plate}" stroke="{line}" stroke-width="1"/>
  <path d="M10.4 4 A4.2 4.2 0 1 0 12 10.3 A3.4 3.4 0 1 1 10.4 4 Z" fill="#fff3a0"/>
"""
HIBERNATE_GLYPH = """  <circle cx="8" cy="8" r="7" fill="{plate}" stroke="{line}" stroke-width="1"/>
  <path d="M8 3 V13 M3.7 5.5 L12.3 10.5 M3.7 10.5 L12.3 5.5" stroke="#ffffff" stroke-width="1.4" stroke-linecap="round"/>
"""
ROW_CLOCK = """  <path d="M1.5 4.5 A3 3 0 0 1 4.5 1.5 Z M14.5 4.5 A3 3 0 0 0 11.5 1.5 Z" fill="{bell}" stroke="{line}" stroke-width="0.8" stroke-linejoin="round"/>
  <circle cx="8" cy="8.5" r="6" fill="{body}" stroke="{line}" stroke-width="1"/>
  <circle cx="8" cy="8.5" r="4.3" fill="{face}"/>
  <path d="M8 8.5 V5.5 M8 8.5 L10.2 9.8" stroke="#1b2230" stroke-width="1.2" stroke-linecap="round"/>
"""
SOUND_BADGE = """  <path d="M9.5 11 H11 L13 9.2 V15.3 L11 13.5 H9.5 Z" fill="#ffffff" stroke="{line}" stroke-width="0.7" stroke-linejoin="round"/>
  <path d="M14.3 10.6 Q15.4 12.25 14.3 13.9" fill="none" stroke="#ffffff" stroke-width="0.9" stroke-linecap="round"/>
"""
REPEAT_BADGE = """  <circle cx="12" cy="12" r="3.6" fill="#22b573" stroke="{line}" stroke-width="0.8"/>
  <path d="M13.9 12 A1.9 1.9 0 1 1 12.8 10.3" fill="none" stroke="#ffffff" stroke-width="1" stroke-linecap="round"/>
  <path d="M12.3 9.2 L14 10.3 L12.2 11.3 Z" fill="#ffffff"/>
"""
ROW_CAKE = """  <rect x="1.5" y="8" width="13" height="6.5" rx="1.5" fill="#f4c98a" stroke="{line}" stroke-width="0.9"/>
  <path d="M1.5 9.5 Q1.5 8 3 8 H13 Q14.5 8 14.5 9.5 V10.4 Q13.2 11.8 11.9 10.4 Q10.6 11.8 9.3 10.4 Q8 11.8 6.7 10.4 Q5.4 11.8 4.1 10.4 Q2.8 11.8 1.5 10.4 Z" fill="#ff86b8"/>
  <rect x="7.2" y="4" width="1.6" height="4" rx="0.5" fill="#5aa0ff"/>
  <path d="M8 0.8 C9.4 2.2 9.4 3.3 8 3.9 C6.6 3.3 6.6 2.2 8 0.8 Z" fill="#ffb020"/>
"""
ROW_PAST = """  <circle cx="8" cy="8.5" r="6" fill="#6f7d92" stroke="{line}" stroke-width="1"/>
  <circle cx="8" cy="8.5" r="4.3" fill="#c9d0da"/>
  <path d="M8 8.5 V5.5 M8 8.5 L10.2 9.8" stroke="#3b4a5e" stroke-width="1.2" stroke-linecap="round"/>
  <circle cx="12" cy="12" r="3.6" fill="#3b4a5e" stroke="{line}" stroke-width="0.8"/>
  <path d="M10.3 12 L11.5 13.2 L13.8 10.8" fill="none" stroke="#ffffff" stroke-width="1.1" stroke-linecap="round" stroke-linejoin="round"/>
"""
CLOCK_COLOURS = dict(bell="#ffd24a", body="#ff7a45", face="#ffffff", line=ROW_LINE)
EVENT_ROWS = [
    ("events/0-shutdown", POWER_GLYPH.format(plate="#c8322f", line=ROW_LINE)),
    ("events/1-restart", RESTART_GLYPH.format(plate="#e08a1e", line=ROW_LINE)),
    ("events/2-logoff", LOGOFF_GLYPH.format(plate="#3a8ee6", line=ROW_LINE)),
    ("events/3-alarm", ROW_CLOCK.format(**CLOCK_COLOURS)),
    ("events/4-alarm-sound", ROW_CLOCK.format(**CLOCK_COLOURS) + SOUND_BADGE.format(line=ROW_LINE)),
    ("events/5-alarm-repeat", ROW_CLOCK.format(**CLOCK_COLOURS) + REPEAT_BADGE.format(line=ROW_LINE)),
    ("events/6-birthday", ROW_CAKE.format(line=ROW_LINE)),
    ("events/7-past", ROW_PAST.format(line=ROW_LINE)),
    ("events/8-standby", STANDBY_GLYPH.format(plate="#5b4fc4", line=ROW_LINE)),
    ("events/9-hibernate", HIBERNATE_GLYPH.format(plate="#2a9fb8", line=ROW_LINE)),
]
for name, drawing in EVENT_ROWS:
    write(name, HEAD.format(s=16) + drawing + "</svg>\n")
