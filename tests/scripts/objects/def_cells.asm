; A def variable is a cell: it takes the kind of what it is given first and
; forwards method calls to its value.
new def, d
mov d, "text"
call d, print
call d, gettype
pop d
call d, print
new def, e
mov e, 5
add e, 2
pop e
call e, print
