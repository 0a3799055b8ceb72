.pragma library

// The hardware definition list as the view gives it: the number of keys, the number of matrix
// positions, then six values for each key: x, y, key type, name, matrix position, default code.

function keyCount(hwDef) {
    return Number(hwDef[0] ?? 0)
}

function positionCount(hwDef) {
    return Number(hwDef[1] ?? 0)
}

function firstValue(i) {
    return 2 + 6 * i
}

// Key i's values as numbers and its name as a string; a value the list does not hold reads as
// NaN (the name as "undefined").
function key(hwDef, i) {
    const at = firstValue(i)
    return {
        x: Number(hwDef[at]),
        y: Number(hwDef[at + 1]),
        keyType: Number(hwDef[at + 2]),
        name: String(hwDef[at + 3]),
        matrix: Number(hwDef[at + 4]),
        keyCode: Number(hwDef[at + 5])
    }
}

// The matrix positions the key page keeps a value for: the matrix, and beyond it any position
// a drawn key names. A count that is no number counts as none.
function matrixSize(hwDef) {
    let size = positionCount(hwDef) || 0
    for (let i = 0; i < keyCount(hwDef); ++i) {
        const matrix = key(hwDef, i).matrix
        if (Number.isInteger(matrix) && matrix >= size)
            size = matrix + 1
    }
    return size
}

// Whether the list reaches as far as key i's matrix position.
function holdsMatrix(hwDef, i) {
    return firstValue(i) + 4 < hwDef.length
}
