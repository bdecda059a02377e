; "copy" from an object that is not a vector is refused.
new vector, v
new int, n
push "n"
call v, copy
