; "getvec" from an object that is not a vector is refused.
new db, t
new db, other
call t, addrow
pop $a
push "other"
push 0
call t, getvec
