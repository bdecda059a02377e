class c
end class
new c, a
new c, a
