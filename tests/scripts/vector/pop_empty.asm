; "pop" on an empty list fails the position check.
new vector, v
call v, pop
