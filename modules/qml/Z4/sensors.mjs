// The DPI tables of the mouse's four sensor types (0…3), written once: the
// sensor page offers and sends them, and the shipped profiles are checked
// against them.

// Stage values before a profile holds any.
export const defaultStages = [
    [500, 1000, 1500, 2000, 0, 0, 0, 0],
    [1000, 2500, 3500, 7000, 0, 0, 0, 0],
    [500, 1000, 1500, 2500, 0, 0, 0, 0],
    [1000, 2000, 4000, 8000, 0, 0, 0, 0]
];

// The values a stage's menu offers; 0 switches the stage off.
export const menus = [
    [0, 250, 500, 750, 1000, 1250, 1500, 1750, 2000, 2500, 3000, 3500, 4000],
    [0, 500, 1000, 1750, 2000, 2500, 3000, 3500, 4000, 5000, 6000, 7000],
    [0, 250, 500, 750, 1000, 1250, 1500, 1750, 2000, 2500, 2750],
    [0, 600, 800, 1000, 1200, 1600, 2000, 2400, 2800, 3200, 3600, 4000, 4500, 5000, 6000, 7000, 8000, 10000]
];

// DPI value → stage byte; a value not listed switches the stage off.
export const stageBytes = [
    { 250: 0x01, 500: 0x02, 750: 0x03, 1000: 0x04, 1250: 0x05, 1500: 0x06, 1750: 0x07, 2000: 0x08, 2500: 0x45, 3000: 0x46, 3500: 0x47, 4000: 0x48 },
    { 500: 0x02, 1000: 0x04, 1750: 0x07, 2000: 0x08, 2500: 0x0A, 3000: 0x0C, 3500: 0x0E, 4000: 0x48, 5000: 0x4A, 6000: 0x4C, 7000: 0x4E },
    { 250: 0x02, 500: 0x04, 750: 0x06, 1000: 0x08, 1250: 0x0A, 1500: 0x46, 1750: 0x47, 2000: 0x48, 2500: 0x4A, 2750: 0x4B },
    { 600: 0x05, 800: 0x07, 1000: 0x09, 1200: 0x0B, 1600: 0x0F, 2000: 0x13, 2400: 0x17, 2800: 0x1B, 3200: 0x1F, 3600: 0x23, 4000: 0x27, 4500: 0x2C, 5000: 0x31, 6000: 0x5D, 7000: 0x62, 8000: 0x67, 10000: 0x71 }
];
export const stageOff = 0x80;

// The colours the logo LED can show, by index.
export const logoColors = [[255, 0, 0], [0, 255, 0], [0, 0, 255], [255, 0, 255], [0, 255, 255], [255, 255, 0], [255, 255, 255], [255, 127, 0]];
