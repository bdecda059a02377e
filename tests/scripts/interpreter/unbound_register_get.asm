new int, x
localdef $1
add x, $1
