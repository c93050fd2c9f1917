"""The skin's colours: the window blue and its tints, white and neutrals."""

from .canvas import rgba

BLUE = rgba('#355FE4')           # the window's colour, also the link text
BLUE_DEEP = rgba('#2446C6')      # pressed and shaded parts
BLUE_NAVY = rgba('#16276B')      # dark accents and shadows on blue
BLUE_LIGHT = rgba('#5A82F2')     # highlights on blue
BLUE_TINT = rgba('#EDF2FF')      # a whisper of blue on white
BLUE_TINT2 = rgba('#D9E3FD')
BLUE_MIST = rgba('#A9BDF6')
WHITE = rgba('#FFFFFF')
TRACK_OFF = rgba('#CDD3DE')      # switch track when off
GREY_RING = rgba('#C4CAD5')      # disabled thumb ring
GREY_DOT = rgba('#D5DAE2')
RULE = rgba('#C7CDDD')           # the panel's divider colour
SHADOW = rgba('#0E1B45')         # shadows are a deep blue, not black
WARM = rgba('#FFB547')           # the moon of the illustration
