; An index past the end is fatal.
new vector, v
push 1
call v, add
push 1
call v, get
