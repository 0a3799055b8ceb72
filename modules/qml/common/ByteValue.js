.pragma library

// A stored value as a byte the pages may hold: a whole number 0-255, anything else 0.
function byteValue(value) {
    const number = Number(value)
    return Number.isInteger(number) && number >= 0 && number <= 255 ? number : 0
}
