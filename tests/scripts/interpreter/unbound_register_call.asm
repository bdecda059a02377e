localdef $1
call $1, print
