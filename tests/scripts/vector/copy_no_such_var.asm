; "copy" from a name nothing bears.
new vector, v
push "nothere"
call v, copy
