; Loading a file that does not open is fatal.
new db, t
push "missing.db"
call t, load
