; Loading a file that does not open is fatal.
new db, t
push "nothere.txt"
call t, loadscript
