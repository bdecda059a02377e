localdef $1
cmp $1, 1
