class c
end class
class c
