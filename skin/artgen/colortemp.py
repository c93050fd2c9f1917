"""The engine's colour-temperature formula, so the slider bar shows exactly
what the screen turns into at each position.

Mirrors app/GammaRamp: kelvin -> channel intensities -> multipliers
(intensity x scale + 128) -> ramp entries trunc(min(65535, i x m)).
"""

import math

RAMP_SCALE = 0.5


def _clamp255(v):
    return 0.0 if v < 0 else 255.0 if v > 255 else v


def channel_intensities(kelvin):
    kelvin = min(max(kelvin, 1000), 40000)
    t = kelvin // 100
    if t <= 66:
        red = 255.0
        green = _clamp255(99.4708025861 * math.log(t) - 161.1195681661)
    else:
        red = _clamp255(329.698727446 * math.pow(t - 60, -0.1332047592))
        green = _clamp255(288.1221695283 * math.pow(t - 60, -0.0755148492))
    if t >= 66:
        blue = 255.0
    elif t <= 19:
        blue = 0.0
    else:
        blue = _clamp255(138.5177312231 * math.log(t - 10) - 305.0447927307)
    return red, green, blue


def ramp_entry(kelvin, index, scale=RAMP_SCALE):
    """The three 16-bit ramp entries for input level `index` (0..255)."""
    return tuple(int(min(65535.0, index * (c * scale + 128))) for c in channel_intensities(kelvin))


def screen_white(kelvin):
    """The colour a white pixel takes on a screen set to `kelvin`."""
    return tuple(round(e * 255 / 65535) for e in ramp_entry(kelvin, 255))


def screen_colour(kelvin, rgb):
    """Any 8-bit colour as the screen at `kelvin` shows it."""
    return tuple(round(ramp_entry(kelvin, value)[channel] * 255 / 65535)
                 for channel, value in enumerate(rgb))


class SliderScale:
    """Slider position <-> temperature, as the window controller maps them.

    The slider runs the other way round from the temperature, and the thumb
    centre travels from thumb/2 to width - thumb/2 over min..max.
    """

    def __init__(self, minimum, maximum, width, thumb):
        self.minimum, self.maximum = minimum, maximum
        self.width, self.thumb = width, thumb

    def temperature(self, position):
        return self.maximum + self.minimum + 1 - position

    def position_at(self, x):
        """Slider value whose thumb is centred on bar coordinate x."""
        half = self.thumb / 2.0
        travel = self.width - self.thumb
        value = self.minimum + (self.maximum - self.minimum) * (x - half) / travel
        return min(max(value, self.minimum), self.maximum)

    def thumb_left(self, position):
        position = min(max(position, self.minimum), self.maximum)
        return (position - self.minimum) * (self.width - self.thumb) // (self.maximum - self.minimum)
